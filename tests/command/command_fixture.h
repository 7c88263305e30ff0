// A record made with code 1 and a recording callback installed on it;
// freed with code 2 at the end.
#pragma once
#include <gtest/gtest.h>

#include "command/command_testing.h"
#include "command/lib_command.h"
#include "support/recording_callback.h"

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KyFrameworkAppInfoResetForTesting();
    record_ = LibCommand(kKyCmdCreate, nullptr);
    ASSERT_NE(record_, nullptr);
    recorder_.Install(record_);
  }
  void TearDown() override {
    recorder_.Uninstall();
    LibCommand(kKyCmdFree, record_);
    KyFrameworkAppInfoResetForTesting();
  }
  // Runs a command with the argument and returns the error field.
  Dword Run(Dword code, void* argument = nullptr) {
    record_->argument = argument;
    EXPECT_EQ(LibCommand(code, record_), record_);
    return record_->error;
  }
  KyAppRecord* record_ = nullptr;
  RecordingCallback recorder_;
};
