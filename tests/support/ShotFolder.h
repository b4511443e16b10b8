#pragma once

// The command line of the programs that take the documentation's pictures.
#include <QDir>
#include <QString>
#include <iostream>
#include <optional>

namespace orbelin::test {

/// The output folder the one argument names; nothing (after the usage line) otherwise.
inline std::optional<QDir> shotFolder(int argc, char** argv, const char* program) {
  if (argc != 2) {
    std::cerr << "usage: " << program << " OUTPUT_FOLDER\n";
    return std::nullopt;
  }
  return QDir(QString::fromLocal8Bit(argv[1]));
}

}  // namespace orbelin::test
