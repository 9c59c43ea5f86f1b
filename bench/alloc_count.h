// alloc_count.h - how many allocations the program has made, counted by its own operator new.
#pragma once

long allocation_count();
