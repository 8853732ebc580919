#include "windows/resize_rule.h"

#include <algorithm>

namespace zuno {

std::array<Rect, kMainControlCount> MainWindowLayout(int W, int H) {
  std::array<Rect, kMainControlCount> r{{
      {15, 10, W - 190, 85},          // 0 Statement History list
      {W - 160, 105, 145, 25},        // 1 Connect
      {W - 160, 235, 145, 25},        // 2 Run
      {W - 160, 470, 145, 25},        // 3 Exit
      {W - 160, 10, 145, 25},         // 4 Data Source box
      {W - 160, 40, 145, 25},         // 5 User field
      {W - 160, 70, 145, 25},         // 6 Password field
      {245, H - 85, 175, 25},         // 7 Connection Status text
      {15, 205, W - 190, H - 300},    // 8 Result Grid
      {W - 265, H - 55, 90, 25},      // 9 Rows To Fetch box
      {W - 365, H - 50, 95, 25},      // 10 Rows To Fetch label
      {15, 105, W - 190, 90},         // 11 SQL editor
      {15, H - 85, 218, 76},          // 12 Logo image
      {245, H - 55, 175, 25},         // 13 Row Count text
      {W - 105, H - 25, 90, 20},      // 14 Version text
      {W - 365, H - 85, 95, 25},      // 15 Timer check box
      {W - 245, H - 85, 70, 25},      // 16 Timer Seconds field
      {W - 160, 295, 145, 25},        // 17 Catalog
      {W - 160, 330, 145, 25},        // 18 Creators
      {W - 160, 365, 145, 25},        // 19 Last Creator
      {W - 155, 270, 145, 15},        // 20 Query Autorun
      {W - 160, 140, 145, 25},        // 21 Edit SQL
      {W - 160, 175, 145, 25},        // 22 Format SQL
      {W - 160, H - 50, 145, 20},     // 23 Elapsed Time text
      {W - 160, 400, 145, 25},        // 24 Save Report
      {W - 155, 210, 145, 15},        // 25 DB2 Command
      {W - 160, 435, 145, 25},        // 26 Save/Load Query
      {245, H - 30, 175, 25},         // 27 Colored Datatypes
  }};
  for (Rect& c : r) {
    c.w = std::max(c.w, 1);
    c.h = std::max(c.h, 1);
  }
  return r;
}

}  // namespace zuno
