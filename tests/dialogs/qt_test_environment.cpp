// The Qt application every dialog test runs in, created before the first test and destroyed after
// the last, while Qt is still whole.
#include <gtest/gtest.h>

#include <optional>

#include "desktop/qt_application.h"

namespace {

class qt_test_environment final : public ::testing::Environment {
 public:
  void SetUp() override {
    scope_.emplace();
    ASSERT_TRUE(brisenfall::ensure_qt_application());
  }
  void TearDown() override { scope_.reset(); }

 private:
  std::optional<brisenfall::qt_application_scope> scope_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new qt_test_environment);

}  // namespace
