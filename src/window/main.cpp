#include "window/Shell.h"

int main(int argc, char** argv) {
    return kanatsumugi::runApplication(argc, argv);
}
