#include "app/console.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

void consolePause()
{
    std::cout.flush();
    if (!isatty(STDIN_FILENO))
        return;
    std::cout << "Press Enter to continue . . ." << std::flush;
    int c;
    do {
        c = std::getchar();
    } while (c != '\n' && c != EOF);
}

void pauseAndExit()
{
    consolePause();
    std::cout.flush();
    std::exit(-1);
}
