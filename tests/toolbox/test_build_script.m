function test_build_script()
% TEST_BUILD_SCRIPT  build_plugins makes, with Octave's own mex and into a temporary folder,
% three plug-ins that load and answer as their deliverables do, exporting mexFunction alone;
% plugin_sources reads the same sources the CMake build lists.
  root = fileparts(fileparts(fileparts(mfilename('fullpath'))));
  addpath(fullfile(root, 'toolbox'));
  sources_match_the_cmake_lists(root);

  out = tempname();
  cleanup = onCleanup(@() confirm_recursive_rmdir_off_and_remove(out));
  flags = {getenv('CXXFLAGS'), getenv('INCFLAGS')};
  % From the clone's root with a relative folder on the path, as after "addpath toolbox": the
  % build changes folders, and Octave would drop such a folder with a warning.
  here = pwd();
  cd(root);
  addpath('toolbox');
  before = path();
  lastwarn('', '');
  files = build_plugins(out);
  said = lastwarn();
  expect_equal({path(), said}, {before, ''}, 'the path kept, relative folder and all, unwarned');
  rmpath('toolbox');
  expect_equal(pwd(), root, 'the folder given back');
  cd(here);
  expect_equal(files, fullfile(out, {'zelmot.mex', 'ombrik.mex', 'main.mex'}), 'files made');
  expect_equal({getenv('CXXFLAGS'), getenv('INCFLAGS')}, flags, 'the environment given back');
  addpath(out);

  for name = {'zelmot', 'ombrik', 'main'}
    plugin = name{1};
    expect_equal(which(plugin), fullfile(out, [plugin '.mex']), [plugin ' loads from the build']);
    answers_like_its_deliverable(plugin);
    [status, symbols] = system(sprintf('nm -D --defined-only "%s"', fullfile(out, [plugin '.mex'])));
    exported = regexp(symbols, '\s[TW]\s+(\S+)', 'tokens');
    exported = [exported{:}];
    expect_equal({status, exported}, {0, {'mexFunction'}}, [plugin ' exports mexFunction alone']);
  end

  expect_error(@() build_plugins(out, 'zelmat'), 'GraphPlugin:unknownPlugin', 'unknown name');
  expect_error(@() build_plugins(out, 3), 'GraphPlugin:badArgument', 'names not text');
  fprintf('ok build_plugins\n');
end

function sources_match_the_cmake_lists(root)
  common = {'graph/nodes.cpp', 'graph/edges.cpp', 'graph/merge.cpp', 'graph/shortest_path.cpp', ...
            'graph/distance.cpp', 'gateway/gateway.cpp', 'gateway/call.cpp', ...
            'gateway/commands.cpp', 'gateway/path_command.cpp'};
  cases = {
    'zelmot', [common, {'bulk/load_grid.cpp', 'bulk/grid_command.cpp'}]
    'ombrik', [common, {'bulk/load_grid.cpp', 'bulk/grid_command.cpp'}]
    'main',   [common, {'bulk/refresh_weights.cpp', 'bulk/refresh_command.cpp'}]
  };
  for k = 1:size(cases, 1)
    [name, expected] = cases{k, :};
    [sources, includes, defines] = plugin_sources(name);
    expect_equal(sources, fullfile(root, expected), [name ' sources']);
    expect_equal(includes, strcat('-I', fullfile(root, {'gateway', 'graph', 'bulk', ...
                 fullfile('deliverables', name)})), [name ' include folders']);
    expect_equal(defines, {'-DHOST_MEX'}, [name ' defines']);
    missing = sources(cellfun(@(f) ~exist(f, 'file'), sources));
    expect_equal(missing, cell(1, 0), [name ' sources on disk']);
  end
end

function answers_like_its_deliverable(plugin)
  clear(plugin);
  feval(plugin, 1, 1, 0, 0, 0, 0, 5);
  feval(plugin, 2, 1, 1, 1, 3, 0, 6);
  feval(plugin, 3, 1, 2, 1, 3, 0, 7);
  expect_equal(feval(plugin, 0, 0, 0, 0, 0, 6, 0), [1 2 3; 1 1 1; 5 6 7], [plugin ' lists']);
  expect_equal(feval(plugin, 1, 1, 3, 1, 0, 4, 0), [3 2 1; 1 1 1], [plugin ' finds the path']);
  % Code 7 and the self-loop tell the deliverables apart.
  feval(plugin, 3, 1, 3, 1, 1, 0, 7);
  loops = feval(plugin, 3, 1, 0, 0, 0, 1, 0);
  if strcmp(plugin, 'main')
    expect_equal(loops, [2; 1], 'main refuses a self-loop');
    feval(plugin, 0, 0, 0, 0, 0, 7, 0);  % the refresh takes no inputs
  else
    expect_equal(loops, [2 3 3; 1 1 1], [plugin ' joins a node to itself']);
    expect_error(@() feval(plugin, 500, 1, 1, 0, 0, 7, 0), [plugin ':badGrid'], 'grid check');
  end
  expect_error(@() feval(plugin, 1, 1), [plugin ':tooFewInputs'], [plugin ' input count']);
  clear(plugin);
end

function confirm_recursive_rmdir_off_and_remove(folder)
  if exist(folder, 'dir')
    confirm_recursive_rmdir(false);
    rmdir(folder, 's');
  end
end
