function test_demo(plugin_dir)
% TEST_DEMO  demo/demo_session.m runs to its end against the plug-ins in PLUGIN_DIR, tells its
% story in the terminal and writes its picture as a PNG.
  root = fileparts(fileparts(fileparts(mfilename('fullpath'))));
  addpath(fileparts(mfilename('fullpath')));
  out = tempname();
  setenv('GRAPH_PLUGIN_DIR', plugin_dir);
  setenv('GRAPH_DEMO_OUT', out);
  text = evalc(sprintf('run(''%s'')', fullfile(root, 'demo', 'demo_session.m')));
  for line = {'shortestPath([1 5], [15 2]): found, 24 points', ...
              'mergeNodes([11 3], [13 3])', 'moveNode([11 3], [12 3])', ...
              'shortestPath: found, 20 points, via the moved node', ...
              'No node at the goal: status noGoal, path 0-by-2', ...
              'a goal no edge reaches: status noPath, path 0-by-2', ...
              'GraphPlugin graph of its own: 44 nodes, 66 edges', ...
              'shortestPath([1 1], [10 1]): 16 points, cost 15', 'costs 6 and 7', ...
              ['picture saved: ' fullfile(out, 'walls.png')], ...
              ['picture saved: ' fullfile(out, 'graph.png')], 'demo finished'}
    if isempty(strfind(text, line{1}))
      error('toolboxTest:demo', 'the demo did not print "%s":\n%s', line{1}, text);
    end
  end
  for picture = {'graph.png', 'walls.png'}
    fid = fopen(fullfile(out, picture{1}), 'r');
    head = fread(fid, 8, 'uint8=>double').';
    fseek(fid, 0, 'eof');
    bytes = ftell(fid);
    fclose(fid);
    expect_equal(head, [137 80 78 71 13 10 26 10], [picture{1} ' is a PNG']);
    if bytes < 8000  % a blank picture of that size takes a few kB
      error('toolboxTest:demo', '%s holds only %d bytes', picture{1}, bytes);
    end
    delete(fullfile(out, picture{1}));
  end
  rmdir(out);

  % The README's example is the demo's: the code block that makes GraphPlugin() is
  % demo/walls_example.m without its opening comment.
  readme = fileread(fullfile(root, 'README.md'));
  blocks = regexp(readme, '```matlab\n(.*?)```', 'tokens');
  blocks = [blocks{:}];
  shown = blocks(~cellfun('isempty', strfind(blocks, 'g = GraphPlugin();')));
  example = regexprep(fileread(fullfile(root, 'demo', 'walls_example.m')), '^(%[^\n]*\n)*\n', '');
  expect_equal(numel(shown), 1, 'one README block makes a graph of its own');
  expect_equal(shown{1}, example, 'the README''s example and demo/walls_example.m');

  % Without gnuplot the demo still runs to its end and says why there is no picture.
  path_before = getenv('PATH');
  setenv('PATH', tempname());
  text = evalc(sprintf('run(''%s'')', fullfile(root, 'demo', 'demo_session.m')));
  setenv('PATH', path_before);
  if isempty(strfind(text, 'no picture: gnuplot is not installed')) ...
      || isempty(strfind(text, 'demo finished')) || exist(out, 'dir')
    error('toolboxTest:demo', 'the demo without gnuplot:\n%s', text);
  end
  fprintf('ok demo (%d bytes of picture; without gnuplot, none)\n', bytes);
end
