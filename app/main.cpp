// Start-up entry of the analyzer. The program always ends with status 0.
#include "app/Startup.h"

int main(int argc, char** argv) {
    return RunAnalyzer(argc, argv);
}
