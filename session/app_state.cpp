#include "session/app_state.h"

namespace zuno {

AppState InitialAppState(const std::string& homeDirectory) {
  AppState state;
  state.homeDirectory = homeDirectory;
  return state;
}

}  // namespace zuno
