#include "stock/StandardDescriptors.h"
#include "window/Shell.h"

int main(int argc, char** argv) {
    kanatsumugi::openStandardDescriptors();
    return kanatsumugi::runApplication(argc, argv);
}
