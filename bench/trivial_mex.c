/* trivial_mex.c - the cheapest MEX file of the plug-ins' shape: reads the first element of
   seven scalar inputs and answers a 1-by-1 zero. octave_bench.m builds it and times the
   plug-ins' per-call cost against it. */
#include "mex.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    double sum = 0.0;
    int k;
    (void)nlhs;
    for (k = 0; k < 7 && k < nrhs; ++k) sum += mxGetPr(prhs[k])[0];
    plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
    mxGetPr(plhs[0])[0] = sum * 0.0;
}
