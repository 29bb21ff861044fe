// Whether every heap of the process passes Wine's validation (see heap_check.cpp).
#ifndef LORIMAX_TESTS_HEAP_CHECK_H
#define LORIMAX_TESTS_HEAP_CHECK_H

bool heaps_intact();

#endif
