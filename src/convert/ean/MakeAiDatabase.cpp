// orbelin-make-aidb OUTPUT: writes the database file with the built-in EAN128 table.
// The build runs it to put QELT.PDF beside the programs.
#include <exception>
#include <iostream>

#include "convert/ean/BuiltInAiTable.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: orbelin-make-aidb OUTPUT\n";
    return 2;
  }
  try {
    orbelin::convert::ean::writeAiDatabase(argv[1]);
  } catch (const std::exception& failure) {
    std::cerr << "orbelin-make-aidb: " << failure.what() << '\n';
    return 1;
  }
  return 0;
}
