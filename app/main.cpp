#include "app/startup.h"

int main(int argc, char** argv) { return zuno::RunZuno(argc, argv); }
