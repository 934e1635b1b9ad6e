// The platform's main: programs on the platform define `void Main()` and link this.
#include "run_application.hpp"

void Main();

int main(int argc, char** argv) {
    return tev::runApplication(argc, argv, Main);
}
