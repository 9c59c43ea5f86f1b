function files = build_plugins(outdir, names)
% BUILD_PLUGINS  Compile the graph plug-ins with this host's own mex command.
%   build_plugins() builds zelmot, ombrik and main from the project's sources
%   (the folder above this toolbox) into build/mex of the project.
%   build_plugins(OUTDIR) puts the plug-ins in OUTDIR, made if missing.
%   build_plugins(OUTDIR, NAMES) builds only NAMES: one name or a cell array
%   of names out of 'zelmot', 'ombrik' and 'main'. OUTDIR '' means the default.
%   FILES = build_plugins(...) returns the full names of the files made.
%
%   It runs Octave's mex in Octave and MATLAB's mex in MATLAB, so a C++17
%   compiler that the host's mex knows is all that is needed. Each plug-in is
%   compiled from the sources that plugin_sources lists, with -DHOST_MEX. A
%   plug-in built in a 64-bit host is the 64-bit build: main then has its
%   weight refresh as command 7. For a 32-bit x86 host it adds SSE2
%   arithmetic (-msse2 -mfpmath=sse), so distances round as in the .mexw32
%   files and not with the x87 unit's extended precision.
%
%   It builds the reference store, the plug-ins' exact design, which walks
%   the node list for every lookup. The indexed store, with the same answers
%   and much faster on large graphs, comes from the CMake presets ending in
%   -indexed and from the Octave package.
%
%   Afterwards, addpath(OUTDIR) and call the plug-ins or use GraphPlugin. A
%   plug-in that is loaded must be cleared first ("clear zelmot") for the
%   host to pick up the new file.
%
%   Example:
%     build_plugins(fullfile(tempdir, 'plugins'), 'zelmot');
%     addpath(fullfile(tempdir, 'plugins'));
%     zelmot(1, 1, 0, 0, 0, 0, 5);     % a node at (1, 1) with value 5
%     zelmot(0, 0, 0, 0, 0, 6, 0)      % lists it: [1; 1; 5]
%
%   See also plugin_sources, GraphPlugin.
  root = fileparts(fileparts(mfilename('fullpath')));
  if nargin < 1 || isempty(outdir)
    outdir = fullfile(root, 'build', 'mex');
  end
  if nargin < 2
    names = {'zelmot', 'ombrik', 'main'};
  elseif ischar(names)
    names = {names};
  end
  if ~ischar(outdir)
    error('GraphPlugin:badArgument', 'build_plugins: OUTDIR must be a folder name');
  end
  if ~iscellstr(names)
    error('GraphPlugin:badArgument', 'build_plugins: NAMES must be a name or a cell array of names');
  end
  if ~exist(outdir, 'dir') && ~mkdir(outdir)
    error('GraphPlugin:badArgument', 'build_plugins: cannot make the folder %s', outdir);
  end

  octave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
  files = cell(1, numel(names));
  for k = 1:numel(names)
    name = names{k};
    [sources, includes, defines] = plugin_sources(name, root);
    fprintf('building %s from %d sources\n', name, numel(sources));
    if octave
      files{k} = build_with_octave(name, outdir, root, sources, includes, defines);
    else
      files{k} = build_with_matlab(name, outdir, sources, includes, defines);
    end
    fprintf('  %s\n', files{k});
  end
end

function file = build_with_octave(name, outdir, root, sources, includes, defines)
  % mkoctfile takes its flags from the environment, and a variable we set replaces its
  % configured value: each gets the configured value plus ours, and its old value back after.
  % Octave's headers become system headers, searched after ours, since Octave ships a
  % settings.h of its own; the build runs in OUTDIR, as mkoctfile adds -I. too.
  % A relative folder on the path (addpath toolbox) means nothing in OUTDIR, and Octave drops
  % it from the path with a warning: the build runs on the same path made absolute.
  saved = {'CXXFLAGS', getenv('CXXFLAGS'); 'INCFLAGS', getenv('INCFLAGS')};
  here = pwd();
  old_path = path();
  restore = onCleanup(@() restore_build_state(saved, here, old_path));
  path(absolute_path(old_path));
  flags = [strtrim(mkoctfile('-p', 'CXXFLAGS')) ' -std=c++17'];
  if is_x86_32_host()
    flags = [flags ' -msse2 -mfpmath=sse'];
  end
  setenv('CXXFLAGS', flags);
  setenv('INCFLAGS', regexprep(strtrim(mkoctfile('-p', 'INCFLAGS')), '(^|\s)-I', '$1-isystem '));
  cd(outdir);
  file = fullfile(pwd(), [name '.mex']);
  extra = {};
  if isunix() && ~ismac()
    % mexFunction alone is exported, as in the CMake build.
    extra = {['-Wl,--version-script=' fullfile(root, 'cmake', 'exports.map')]};
  end
  mex(defines{:}, includes{:}, extra{:}, sources{:}, '-o', file);
  clear(name);  % a loaded copy would hide the new file
end

function restore_build_state(saved, here, old_path)
  for k = 1:size(saved, 1)
    if isempty(saved{k, 2})
      unsetenv(saved{k, 1});
    else
      setenv(saved{k, 1}, saved{k, 2});
    end
  end
  cd(here);
  path(old_path);  % back in HERE, its relative folders mean what they meant
end

function p = absolute_path(p)
  % The path P with every relative folder but '.' made absolute from the current folder.
  folders = strsplit(p, pathsep());
  for k = 1:numel(folders)
    if ~strcmp(folders{k}, '.') && ~is_absolute_filename(folders{k})
      folders{k} = make_absolute_filename(folders{k});
    end
  end
  p = strjoin(folders, pathsep());
end

function file = build_with_matlab(name, outdir, sources, includes, defines)
  std = 'CXXFLAGS=$CXXFLAGS -std=c++17';
  if is_x86_32_host()
    std = [std ' -msse2 -mfpmath=sse'];
  end
  if ispc()
    compiler = mex.getCompilerConfigurations('C++', 'Selected');
    if ~isempty(compiler) && ~isempty(strfind(compiler(1).ShortName, 'MSVC'))
      std = 'COMPFLAGS=$COMPFLAGS /std:c++17';
      if is_x86_32_host()
        std = [std ' /arch:SSE2'];
      end
    end
  end
  mex(defines{:}, includes{:}, std, '-outdir', outdir, '-output', name, sources{:});
  clear(name);
  file = fullfile(outdir, [name '.' mexext()]);
end

function yes = is_x86_32_host()
  % A plug-in is built for its host's processor: 32-bit x86 is i386 to i686 in Octave's host
  % type (computer()), and the mexext of 32-bit MATLAB on Windows or Linux.
  if exist('OCTAVE_VERSION', 'builtin')
    yes = ~isempty(regexp(computer(), '^i[3-6]86-', 'once'));
  else
    yes = any(strcmp(mexext(), {'mexw32', 'mexglx'}));
  end
end
