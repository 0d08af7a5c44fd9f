#pragma once
// The font engine shared by the text tests, and the fonts they need. The tests use only
// the faces the install script brings (fonts-liberation2, fonts-dejavu-core); when one
// is missing they fail and say so rather than pass on whatever face fontconfig offers.
#include <gtest/gtest.h>

#include <string>

#include "objects/font_engine.h"

namespace lumi::test {

inline FontEngine& Engine() {
  static FontEngine engine;
  return engine;
}

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* family : {"Liberation Sans", "Liberation Serif", "Liberation Mono",
                               "DejaVu Sans"})
      ASSERT_TRUE(Engine().IsFamilyInstalled(family))
          << "The font family '" << family
          << "' is not installed; scripts/install-deps.sh installs fonts-liberation2 and "
             "fonts-dejavu-core, which these tests need.";
  }

  static FontFace& Sans(bool bold = false, bool italic = false) {
    return Engine().Face({"Liberation Sans", bold, italic});
  }
};

}  // namespace lumi::test
