function failed = installed_package(version, root)
% INSTALLED_PACKAGE  The graphplugin package as pkg install -local left it in this HOME, checked
% the way a user meets it, then uninstalled: pkg describe and news work; a missing plug-in is
% named in its error; pkg load puts the toolbox and the indexed plug-ins on the path at VERSION,
% with their help; the scenarios of ROOT/tests/scenarios, the toolbox tests and GraphPlugin's
% own tests pass against the indexed plug-ins, and again against the reference ones after the
% switch the README gives; pkg uninstall -local removes it all. Prints "ok <check>" or "FAIL <check>" with what went wrong, and
% returns the number of failed checks.
  addpath(fullfile(root, 'tests', 'octave'), fullfile(root, 'tests', 'toolbox'));
  scenarios = fullfile(root, 'tests', 'scenarios');
  names = {'zelmot', 'ombrik', 'main'};
  installed = pkg('list');
  here = '';
  if numel(installed) == 1
    here = installed{1}.dir;
  end
  failed = 0;

  failed += check('installed, listed at the version', @() listed(installed, version));
  failed += check('pkg describe, news: what it needs, its licence, its history', ...
                  @() described(here, version));
  failed += check('a missing plug-in is named, with where it goes', @() missing_named(here));
  pkg('load', 'graphplugin');
  failed += check('pkg load: the toolbox and the plug-ins, with their help', ...
                  @() loaded(here, names, version));

  failed += check('mexFunction alone exported; the index in all but reference/', ...
                  @() built_as_named(here, names));

  for variant = {'indexed', 'reference'}
    folder = here;
    if strcmp(variant{1}, 'reference')
      clear zelmot ombrik main  % the switch as the README gives it
      folder = fullfile(here, 'reference');
      addpath(folder);
    end
    for k = 1:numel(names)
      n = names{k};
      failed += check(sprintf('%s %s: scenarios', variant{1}, n), ...
                      @() scenarios_pass(n, folder, scenarios));
      failed += check(sprintf('%s %s: toolbox tests', variant{1}, n), ...
                      @() test_wrapper(n, folder));
    end
    failed += check(sprintf('%s: test GraphPlugin', variant{1}), @() own_tests_pass(folder));
  end
  clear zelmot ombrik main  % and back to the indexed plug-ins
  rmpath(fullfile(here, 'reference'));

  pkg('uninstall', '-local', 'graphplugin');
  failed += check('pkg uninstall removes it', @() removed(here));
end

function failed = check(what, fn)
  % Runs FN with its output held back, shown only when it fails.
  ok = false;
  out = evalc('try, fn(); ok = true; catch err, disp(err.message); end');
  failed = ~ok;
  if ok
    printf('ok %s\n', what);
  else
    printf('FAIL %s\n%s\n', what, ['    ' strrep(strtrim(out), "\n", "\n    ")]);
  end
end

function listed(installed, version)
  expect_equal(numel(installed), 1, 'packages installed');
  expect_equal({installed{1}.name, installed{1}.version}, {'graphplugin', version}, ...
               'name and version');
  expect_equal(exist(installed{1}.dir, 'dir'), 7, 'the package folder');
end

function described(here, version)
  text = evalc('pkg(''describe'', ''graphplugin'')');  % it failed without a Depends line
  for part = {sprintf('Version:\n\t%s', version), 'octave >= 7.0.0'}
    expect_equal(isempty(strfind(text, part{1})), false, ['pkg describe shows ' part{1}]);
  end
  info = fullfile(here, 'packinfo');
  description = fileread(fullfile(info, 'DESCRIPTION'));
  for part = {'License: BSD-3-Clause', 'Author: The graphplugin authors'}
    expect_equal(isempty(strfind(description, part{1})), false, ['DESCRIPTION: ' part{1}]);
  end
  licence = fileread(fullfile(info, 'COPYING'));
  expect_equal(isempty(strfind(licence, 'Copyright (c) 2026, The graphplugin authors')), false, ...
               'COPYING names the copyright holder');
  text = evalc('news(''graphplugin'')');
  expect_equal(isempty(strfind(text, ['graphplugin ' version])), false, 'news names the version');
end

function missing_named(here)
  % The toolbox, and a plug-in's help file, copied away from the plug-ins.
  alone = tempname();
  mkdir(alone);
  copyfile(fullfile(here, 'GraphPlugin.m'), alone);
  copyfile(fullfile(here, 'Contents.m'), alone);
  copyfile(fullfile(here, 'ombrik.m'), alone);
  addpath(alone);
  cleanup = onCleanup(@() remove_folder(alone));
  err = expect_error(@() GraphPlugin('zelmot'), 'GraphPlugin:notBuilt', 'GraphPlugin alone');
  for part = {'zelmot.mex', 'pkg load graphplugin', 'build_plugins'}
    expect_equal(isempty(strfind(err.message, part{1})), false, ['notBuilt names ' part{1}]);
  end
  err = expect_error(@() ombrik(0, 0, 0, 0, 0, 6, 0), 'ombrik:notBuilt', 'the help file alone');
  expect_equal(isempty(strfind(err.message, 'ombrik.mex')), false, 'its message names ombrik.mex');
end

function remove_folder(folder)
  rmpath(folder);
  confirm_recursive_rmdir(false, 'local');
  rmdir(folder, 's');
  clear -classes  % Octave keeps the class it read from there
end

function loaded(here, names, version)
  expect_equal(which('GraphPlugin'), fullfile(here, 'GraphPlugin.m'), 'GraphPlugin');
  for k = 1:numel(names)
    n = names{k};
    expect_equal(which(n), fullfile(here, [n '.mex']), [n ' is the indexed plug-in']);
    text = evalc(['help ' n]);
    expect_equal(isempty(strfind(text, [upper(n) '  The graph plug-in ' n])), false, ['help ' n]);
  end
  described = ver('graphplugin');
  expect_equal({GraphPlugin.version(), described.Version}, {version, version}, ...
               'GraphPlugin.version() and ver: the package''s version');
end

function built_as_named(here, names)
  engine = fullfile(here, 'private', 'graphplugin_engine.mex');
  expect_equal(any(exist(engine, 'file') == [2 3]), true, 'the engine in private/');
  [~, symbols] = system(sprintf('nm -D --defined-only "%s"', engine));
  exported = regexp(symbols, '\s[TW]\s+(\S+)', 'tokens');
  expect_equal([exported{:}], {'mexFunction'}, ['exported by ' engine]);
  for k = 1:numel(names)
    for indexed = [false true]
      file = fullfile(here, [names{k} '.mex']);
      if ~indexed
        file = fullfile(here, 'reference', [names{k} '.mex']);
      end
      [status, symbols] = system(sprintf('nm "%s"', file));
      expect_equal(status, 0, ['nm ' file]);
      expect_equal(isempty(strfind(symbols, 'index_first')), ~indexed, ['the index in ' file]);
      [~, symbols] = system(sprintf('nm -D --defined-only "%s"', file));
      exported = regexp(symbols, '\s[TW]\s+(\S+)', 'tokens');
      expect_equal([exported{:}], {'mexFunction'}, ['exported by ' file]);
    end
  end
end

function scenarios_pass(name, folder, scenarios)
  expect_equal(which(name), fullfile(folder, [name '.mex']), [name ' from ' folder]);
  expect_equal(run_scenarios(name, folder, scenarios), 0, 'failed scenarios');
end

function own_tests_pass(folder)
  expect_equal(which('zelmot'), fullfile(folder, 'zelmot.mex'), 'zelmot under test');
  [passed, total, ~, ~, skipped, skipped_at_run] = test('GraphPlugin', 'quiet', stdout);
  expect_equal([passed, skipped, skipped_at_run], [total, 0, 0], ...
               'test GraphPlugin: passed, skipped, skipped at run time');
  expect_equal(total >= 5, true, 'test GraphPlugin: its tests found');
end

function removed(here)
  expect_equal(numel(pkg('list')), 0, 'packages after pkg uninstall');
  expect_equal(exist(here, 'dir'), 0, 'the package folder after pkg uninstall');
end
