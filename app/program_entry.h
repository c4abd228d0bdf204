// The program's code base: the first of its routine thunks, which is also
// its start routine (see program_routines.cpp).
#pragma once

extern "C" char program_thunks[];
