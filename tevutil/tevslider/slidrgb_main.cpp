// The color mixer program: the platform's start-up runs Main (slidrgb.cpp).
#include "run_application.hpp"
#include "slidrgb.hpp"

int main(int argc, char** argv) {
    return tev::runApplication(argc, argv, Main);
}
