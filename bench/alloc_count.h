// alloc_count.h - the benchmark's hold on allocation: a count of every allocation, and the
// placement of the next record.
#pragma once

// Allocations the program has made so far, counted by its own operator new.
long allocation_count();

// Makes the next allocation of a Node-sized record start at 0 or 16 bytes into a 64-byte cache
// line, so that the whole record lies on one line; a few bytes are left allocated for good.
// Lists built right after it are placed alike whatever ran before, so the graphs and the floor
// probe are measured on the same footing.
void align_next_record();
