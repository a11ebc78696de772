#include "app/application.h"

int main(int argc, char* argv[]) { return harvoline::RunHarvoline(argc, argv); }
