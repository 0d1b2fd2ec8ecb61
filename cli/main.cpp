// tarnik-cli: the job pipeline of the job sender as a command-line tool.
#include <iostream>

#include "cli/run_cli.h"

int main(int argc, char** argv) {
    return tarnik::cli::RunCli(argc, argv, std::cout, std::cerr);
}
