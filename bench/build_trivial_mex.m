function folder = build_trivial_mex()
% BUILD_TRIVIAL_MEX  Build bench/trivial_mex.c into a new temporary folder and return it.
%   The trivial MEX file takes seven scalars and answers a 1-by-1 zero: the cost of a call
%   that does nothing, against which the benchmarks measure the plug-ins. The folder is the
%   caller's to remove.
  here = fileparts(mfilename('fullpath'));
  folder = tempname();
  mkdir(folder);
  [status, out] = system(sprintf('mkoctfile --mex -o "%s" "%s"', ...
                                 fullfile(folder, 'trivial_mex.mex'), fullfile(here, 'trivial_mex.c')));
  if status ~= 0
    error('octave_bench:build', 'mkoctfile failed:\n%s', out);
  end
end
