/* Forced in front of the RNNoise sources that take their per-frame scratch
   arrays from the heap. Those arrays live only for the call that makes them,
   so the stack serves, and a frame then costs the audio thread no allocation.
   RNNoise's state creation, in other files, keeps using the heap. */
#ifndef TAVRIK_RNNOISE_SCRATCH_ON_STACK_H
#define TAVRIK_RNNOISE_SCRATCH_ON_STACK_H

#include <stdlib.h>
#ifdef _WIN32
 #include <malloc.h>
 #define TAVRIK_STACK_ALLOC _alloca
#else
 #include <alloca.h>
 #define TAVRIK_STACK_ALLOC alloca
#endif

#define malloc(size) TAVRIK_STACK_ALLOC (size)
#define free(pointer) ((void) (pointer))

#endif
