% soak_plugins.m - the soak test: in one Octave session, CALLS random calls to each of zelmot,
% ombrik and main (seeded), most of them valid and some not, with a clear of the plug-in now and
% then. Every result's shape and every error identifier is checked; at the end the memory of the
% Octave process (VmRSS) after the last clear must be back near where it started.
%
%   octave-cli --norc --no-gui --no-history --eval "addpath('tests/soak'); soak_plugins('build/octave', 100000, 1)"
%
% Raises soak:failed on the first wrong answer, soak:memory when memory stayed behind. Run it
% with MALLOC_MMAP_THRESHOLD_=65536 in the environment, as CTest does: the figure is then
% steady from run to run.
function soak_plugins(mexdir, calls, seed)
  addpath(mexdir);
  rand('state', seed);
  names = {'zelmot', 'ombrik', 'main'};

  % Load, use and clear each plug-in once before the first measurement, so that the start
  % figure already holds what Octave keeps of a loaded and cleared MEX file.
  for i = 1:numel(names)
    soak_one(names{i}, 2000);
    clear(names{i});
  end
  rss_start = vmrss_kb();

  for i = 1:numel(names)
    t = tic();
    s = soak_one(names{i}, calls);
    printf('%s: %d calls (%d valid, %d refused as expected, %d clears) in %.1f s\n', ...
           names{i}, s.calls, s.valid, s.refused, s.clears, toc(t));
  end
  clear('zelmot', 'ombrik', 'main');
  rss_end = vmrss_kb();

  % Measured over this soak (seeds 1 to 3, 20,000 to 100,000 calls each): +0.4 to +0.5 MB,
  % the same for every length, so it is Octave's own and not a leak per call. A graph left
  % behind at every clear (the exit hook's release taken out) measured +3.5 MB; a result
  % matrix lost per answer (about 90,000 of them) would be over 10 MB.
  margin_kb = 1024;
  printf('memory: VmRSS %d kB at the start, %d kB after the last clear (%+d kB, margin %d kB)\n', ...
         rss_start, rss_end, rss_end - rss_start, margin_kb);
  if rss_end - rss_start > margin_kb
    error('soak:memory', 'VmRSS grew by %d kB over the soak', rss_end - rss_start);
  end
end

% The resident memory of this process, in kB.
function kb = vmrss_kb()
  text = fileread('/proc/self/status');
  kb = str2double(regexp(text, 'VmRSS:\s*(\d+)', 'tokens', 'once'){1});
end

% What a plug-in serves: the longest path and list answers, which command 7 it has.
function lim = limits_of(name)
  lim.path_max = 41;
  lim.list_max = 300;
  lim.grid = ~strcmp(name, 'main');
  if strcmp(name, 'ombrik')
    lim.path_max = 401;
    lim.list_max = 16666;
  end
end

% The random numbers of a soak come in whole rows, made before the loop: a call of an Octave
% function costs tens of microseconds, more than a call of the plug-in.
function s = soak_one(name, calls)
  lim = limits_of(name);
  s = struct('calls', 0, 'valid', 0, 'refused', 0, 'clears', 0);
  xy = coords(4, calls);
  w = weights(calls);
  codes = pick_codes(calls);
  vals = floor(rand(1, calls) * 13) - 3;
  dice = rand(4, calls);
  for n = 1:calls
    if dice(1, n) < 1 / 4000
      clear(name);
      s.clears += 1;
      r = feval(name, 0, 0, 0, 0, 0, 6, 0);  % a fresh load starts from an empty graph
      if ~(numel(r) == 1 && r == 0), fail(name, n, 'the graph outlived a clear'); end
    end
    if dice(2, n) < 0.05
      [args, id] = bad_call(name, lim);
      try
        feval(name, args{:});
        fail(name, n, ['no error; expected ' id]);
      catch err
        if ~strcmp(err.identifier, id)
          fail(name, n, sprintf('error %s (%s); expected %s', err.identifier, err.message, id));
        end
      end
      s.refused += 1;
    else
      args = {xy(1, n), xy(2, n), xy(3, n), xy(4, n), w(n), codes(n), vals(n)};
      if codes(n) == 0 && dice(3, n) < 0.3
        args{3} = 0;                    % a node alone, no edge
      end
      if dice(4, n) < 0.02
        args(8:9) = {1, 2};             % inputs past the seventh are ignored
      end
      valid_call(name, lim, n, args);
      s.valid += 1;
    end
    s.calls += 1;
  end
end

% Checks are written as "if ~ok, fail(...)" so that no message is built for a passing call.
function fail(name, n, what)
  error('soak:failed', '%s, call %d: %s', name, n, what);
end

% Small coordinates so that positions collide; one in ten from a wider spread.
function v = coords(r, c)
  narrow = floor(rand(r, c) * 6) - 1;       % -1 .. 4
  wide = floor(rand(r, c) * 101) - 50;      % -50 .. 50
  v = narrow;
  pick = rand(r, c) < 0.1;
  v(pick) = wide(pick);
end

% Mostly small weights, one in ten from the edges of what a weight can be.
function w = weights(c)
  w = floor(rand(1, c) * 23) - 2;           % -2 .. 20
  odd = [2147483647, -2147483648, 3e9, NaN, Inf, 0.5, 29999, 30000];
  pick = rand(1, c) < 0.1;
  w(pick) = odd(1 + floor(rand(1, nnz(pick)) * numel(odd)));
end

% Codes 0 .. 7 weighted towards adding, and one in eleven unrecognised.
function codes = pick_codes(c)
  edges = [0 0.30 0.42 0.50 0.60 0.72 0.80 0.88 0.91];
  codes = lookup(edges, rand(1, c)) - 1;    % 0 .. 7, or 8 past the last edge
  odd = [0.5, NaN, 8, -1, 1e9, 6.5, -0];
  rest = codes == 8;
  codes(rest) = odd(1 + floor(rand(1, nnz(rest)) * numel(odd)));
end

function valid_call(name, lim, n, args)
  code = args{6};
  if code == 7 && lim.grid
    k = floor(rand() * 21);
    args(1:3) = {floor(rand(1, k) * 500), floor(rand(1, k) * 500), floor(rand(1, k) * 1000) - 500};
  end

  if code == 1 || code == 4 || code == 6
    r = feval(name, args{:});
    if ~(isa(r, 'double') && isreal(r) && ~issparse(r)), fail(name, n, 'not a real double result'); end
    if numel(r) == 1
      if r ~= 0, fail(name, n, sprintf('command %d gave the 1-by-1 %g', code, r)); end
      return;
    end
    switch code
      case 1, ok = rows(r) == 2 && columns(r) >= 1;
      case 4, ok = rows(r) == 2 && columns(r) >= 1 && columns(r) <= lim.path_max;
      case 6, ok = rows(r) == 3 && columns(r) >= 1 && columns(r) <= lim.list_max;
    end
    if ~ok, fail(name, n, sprintf('command %d gave a %d-by-%d result', code, rows(r), columns(r))); end
  else
    ans = 'none';                       % a stored result would replace it
    feval(name, args{:});
    if ~ischar(ans), fail(name, n, sprintf('command %g stored a result', code)); end
  end
end

% A call that must be refused, and the identifier it must be refused with.
function [args, id] = bad_call(name, lim)
  args = {1, 2, 3, 4, 5, 0, 1};
  u = rand();
  if u < 0.3
    args = args(1:floor(rand() * 7));   % 0 .. 6 inputs
    id = [name ':tooFewInputs'];
    return;
  end
  id = [name ':badInput'];
  bad = {'a', int32(3), single(2), [], 1 + 2i, true, sparse(1), zeros(0, 3)};
  b = bad{1 + floor(rand() * numel(bad))};
  reads = {[1 2 3 4 5 7], [1 2], [1 2 3 4], [1 2 3 4 5], [1 2 3 4], [1 2 3 4], 6};
  code = floor(rand() * 7);            % 0 .. 6
  args{6} = code;
  k = reads{code + 1};
  args{k(1 + floor(rand() * numel(k)))} = b;
  if u > 0.85 && lim.grid             % the grid import's own checks
    args = {[1 2 3], [1 2 3], [4 5 6], 0, 0, 7, 0};
    switch floor(rand() * 4)
      case 0, args{1}(2) = 500;
      case 1, args{2}(3) = -1;
      case 2, args{2} = [1 2];
      case 3, args{1}(1) = NaN;
    end
    id = [name ':badGrid'];
  end
end
