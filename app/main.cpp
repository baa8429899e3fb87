// Start-up entry of the analyzer (see RunAnalyzer for its exit status).
#include "app/Startup.h"

int main(int argc, char** argv) {
    return RunAnalyzer(argc, argv);
}
