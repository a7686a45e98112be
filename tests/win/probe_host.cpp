// A program with nothing but the help engine's units: what they do at a start, without a window.
#include "help/hh.h"
#include "help/hh_funcs.h"

int main() {
    const hh::Unit helpEngine;
    const hh_funcs::Unit helpProbe;
    return 0;
}
