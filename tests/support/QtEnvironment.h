#pragma once

#include <QApplication>
#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orbelin::test {

/// One QApplication for the test program, on the offscreen platform; add it as a global
/// test environment.
class QtEnvironment : public ::testing::Environment {
 public:
  explicit QtEnvironment(std::string programName) : m_name(std::move(programName)) {}
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    m_argv[0] = m_name.data();
    m_app = new QApplication(m_argc, m_argv);
  }
  void TearDown() override {
    delete m_app;
    m_app = nullptr;
  }

 private:
  std::string m_name;
  // QApplication keeps these for its whole life.
  int m_argc = 1;
  char* m_argv[2] = {nullptr, nullptr};
  QApplication* m_app = nullptr;
};

}  // namespace orbelin::test
