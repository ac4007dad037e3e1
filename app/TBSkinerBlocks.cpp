// TBSkinerBlocks.cpp - the skin keys of each control class.
#include <app/TBSkiner.h>

void TBSkinerDLL::ApplySkinToControl(TControl*) {}
