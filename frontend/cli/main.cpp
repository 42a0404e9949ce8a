// The orbisk program: start-up only.
#include <clocale>

#include "start_up.hpp"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  return orbisk::Main(argc, argv);
}
