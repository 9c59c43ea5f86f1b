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
              ['picture saved: ' fullfile(out, 'graph.png')], 'demo finished'}
    if isempty(strfind(text, line{1}))
      error('toolboxTest:demo', 'the demo did not print "%s":\n%s', line{1}, text);
    end
  end
  fid = fopen(fullfile(out, 'graph.png'), 'r');
  head = fread(fid, 8, 'uint8=>double').';
  fseek(fid, 0, 'eof');
  bytes = ftell(fid);
  fclose(fid);
  expect_equal(head, [137 80 78 71 13 10 26 10], 'the picture is a PNG');
  if bytes < 8000  % a blank picture of that size takes a few kB
    error('toolboxTest:demo', 'the picture holds only %d bytes', bytes);
  end
  delete(fullfile(out, 'graph.png'));
  rmdir(out);

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
