// The program's entry point.

#include "app/Startup.h"
#include "platform/SHDocVw.h"

int main(int argc, char** argv) {
    PrepareBrowserEngine();
    return RunProgram(argc, argv);
}
