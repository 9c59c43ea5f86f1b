function test_wrapper(name, plugin_dir)
% TEST_WRAPPER  GraphPlugin against the built plug-in NAME in PLUGIN_DIR: every method, the
% empty answers, the argument errors, the traps of the raw answers refused or flagged, and that
% direct calls see what the wrapper did. Positions come back as rows [x y]. The GraphPlugin on
% the path is the one tested (an installed package's); without one, this clone's.
% NAME 'engine' tests graphs of their own, GraphPlugin(), on the engine in PLUGIN_DIR: every
% method, the 2.x ones with the plug-in checks that hold there too, and their lifetime.
  if isempty(which('GraphPlugin'))
    addpath(fullfile(fileparts(fileparts(fileparts(mfilename('fullpath')))), 'toolbox'));
  end
  addpath(plugin_dir);
  if strcmp(name, 'engine')
    checks = {@own_graph_has_no_bounds, @own_graph_builds_and_reads, @own_graph_finds_paths, ...
              @own_graph_changes, @own_graph_refuses_and_changes_nothing, ...
              @own_graphs_live_as_handles, @own_graph_plots, @moves_nodes_with_their_edges, ...
              @sets_weights_that_paths_follow, @merges_and_removes_nodes, @prints_help};
    for k = 1:numel(checks)
      checks{k}(GraphPlugin());
      fprintf('ok %s %s\n', name, func2str(checks{k}));
    end
    return
  end
  g = GraphPlugin(name);
  checks = {@binds_to_the_plugin, @answers_nothing_with_empty_shapes, @adds_and_lists_nodes, ...
            @adds_edges_and_lists_neighbours, @joins_a_node_to_itself_as_the_build_says, ...
            @moves_nodes_with_their_edges, @sets_weights_that_paths_follow, ...
            @tells_the_path_answers_apart, @cuts_long_paths_at_the_plugin_limit, ...
            @merges_and_removes_nodes, @runs_command_7_where_it_exists, ...
            @rejects_bad_arguments_and_changes_nothing, @shares_one_graph_per_plugin, ...
            @flags_the_zero_rule_and_the_bounds, @prints_help, @takes_rows_as_one_call_each, ...
            @rejects_a_bad_row_and_changes_nothing, @shows_itself, ...
            @reads_shared_positions_as_the_search_does};
  for k = 1:numel(checks)
    g.reset();
    checks{k}(g);
    fprintf('ok %s %s\n', name, func2str(checks{k}));
  end
end

function binds_to_the_plugin(g)
  limits = struct('zelmot', {{41, 300, 'grid'}}, 'ombrik', {{401, 16666, 'grid'}}, ...
                  'main', {{41, 300, 'refresh'}});  % Octave on Linux runs the 64-bit builds
  expected = limits.(g.Name);
  expect_equal({g.MaxPathPoints, g.MaxListed, g.Command7}, expected, 'properties');
  expect_equal({g.CostBound, g.Store}, {30000, store_of(g.Name)}, 'cost bound and store');
  expect_error(@() GraphPlugin('zelmot2'), 'GraphPlugin:unknownPlugin', 'unknown name');
  expect_error(@() GraphPlugin(3), 'GraphPlugin:unknownPlugin', 'name not a string');
end

function answers_nothing_with_empty_shapes(g)
  expect_equal(g.listNodes(), zeros(0, 3), 'listNodes of an empty graph');
  expect_equal(g.neighbors([1 1]), zeros(0, 2), 'neighbours without a node');
  [p, d, s] = g.shortestPath([1 1], [2 2]);
  expect_equal({p, d, s}, {zeros(0, 2), NaN, 'noPath'}, 'path in an empty graph: no cost');
  g.addNode([1 1], 5);
  expect_equal(g.neighbours([1 1]), zeros(0, 2), 'neighbours of a node without edges');
  % The plug-in itself still answers its 1-by-1 zero: the wrapper changes only its own copy.
  expect_equal(feval(g.Name, 1, 1, 0, 0, 0, 1, 0), 0, 'direct call after the wrapper');
end

function adds_and_lists_nodes(g)
  g.addNode([1 1], 5);
  g.addNode([2 3], 7);
  g.addNode([1 1], 9);             % taken: keeps 5
  g.addNode(int32([-4 6]));        % value 1 by default; integer classes are accepted
  expect_equal(g.listNodes(), [1 1 5; 2 3 7; -4 6 1], 'nodes in creation order, as rows');
  expect_equal(feval(g.Name, 0, 0, 0, 0, 0, 6, 0), [1 2 -4; 1 3 6; 5 7 1], 'direct listing');
end

function adds_edges_and_lists_neighbours(g)
  g.addNode([1 1], 1);
  g.addNode([2 2], 2);
  g.addNode([3 3], 3);
  g.addNode([-1 5], 4);
  g.addEdge([1 1], [2 2], 4);
  g.addEdge([1 1], [3 3], 4);
  g.addEdge([1 1], [-1 5], 4);
  g.addEdge([2 2], [1 1], 9);      % already joined: nothing changes
  expect_equal(g.neighbors([1 1]), [2 2; 3 3; -1 5], 'neighbours in the order made');
  expect_equal(g.neighbours([-1 5]), [1 1], 'the node at x = -1 is joined');
  expect_equal(g.neighbors([2 2]), [1 1], 'a repeated edge is not doubled');
  nodes = g.listNodes();
  expect_error(@() g.addEdge([6 6], [8 8], 1), 'GraphPlugin:noNode', 'no node at B');
  expect_equal({g.listNodes(), size(g.neighbors([1 1]), 1)}, {nodes, 3}, 'refused: A not made');
  g.reset();
  g.addNode([2 2], 2);
  g.addEdge([7 7], [2 2], 1);      % like command 0: a missing A is made first
  expect_equal(g.neighbors([7 7]), [2 2], 'A made by addEdge');
  expect_equal(g.listNodes(), [2 2 2; 7 7 1], 'A made with value 1');
end

function joins_a_node_to_itself_as_the_build_says(g)
  g.addNode([4 4], 1);
  g.addEdge([4 4], [4 4], 2);
  if strcmp(g.Name, 'main')
    expect_equal(g.neighbors([4 4]), zeros(0, 2), 'the 64-bit main refuses a self-loop');
  else
    expect_equal(g.neighbors([4 4]), [4 4; 4 4], 'a self-loop is two entries');
  end
end

function moves_nodes_with_their_edges(g)
  g.addNode([1 1], 1);
  g.addNode([2 1], 2);
  g.addEdge([1 1], [2 1], 3);
  g.moveNode([2 1], [9 9]);
  g.moveNode([5 5], [6 6]);        % no node there: nothing happens
  expect_equal(g.listNodes(), [1 1 1; 9 9 2], 'moved, order and value kept');
  expect_equal(g.neighbors([1 1]), [9 9], 'the edge goes with the node');
  expect_equal(g.neighbors([9 9]), [1 1], 'the moved node keeps its edge');
end

function sets_weights_that_paths_follow(g)
  % A-P-B costs 4, A-B 5: the path goes through P until A-B becomes cheaper.
  make_nodes(g, [1 1; 2 2; 3 3]);
  g.addEdge([1 1], [2 2], 2);
  g.addEdge([2 2], [3 3], 2);
  g.addEdge([1 1], [3 3], 5);
  expect_equal(g.shortestPath([1 1], [3 3]), [1 1; 2 2; 3 3], 'the cheaper way round');
  g.setWeight([3 3], [1 1], 3);
  expect_equal(g.shortestPath([1 1], [3 3]), [1 1; 3 3], 'both directions changed');
  g.setWeight([1 1], [9 9], 0);    % no such edge: nothing changes
  expect_equal(g.shortestPath([1 1], [3 3]), [1 1; 3 3], 'missing edge left alone');
end

function tells_the_path_answers_apart(g)
  make_nodes(g, [1 1; 2 1; 3 1; 7 7]);
  g.addEdge([1 1], [2 1], 1);
  g.addEdge([2 1], [3 1], 1);
  cases = {
    % from    to       path                    status
    [1 1],   [3 1],   [1 1; 2 1; 3 1],        'found'
    [3 1],   [1 1],   [3 1; 2 1; 1 1],        'found'
    [1 1],   [1 1],   [1 1],                  'found'
    [1 1],   [7 7],   zeros(0, 2),            'noPath'    % no edge at the goal
    [7 7],   [1 1],   zeros(0, 2),            'noPath'    % no edge at the start
    [5 5],   [3 1],   zeros(0, 2),            'noPath'    % no node at the start
    [1 1],   [9 9],   zeros(0, 2),            'noGoal'    % no node at the goal
  };
  for k = 1:size(cases, 1)
    [p, ~, s, ~] = quietly(@() g.shortestPath(cases{k, 1}, cases{k, 2}));
    expect_equal({p, s}, cases(k, 3:4), sprintf('path case %d', k));
  end
  % What the plug-in itself answers in the two empty cases.
  expect_equal(feval(g.Name, 1, 1, 7, 7, 0, 4, 0), 0, 'direct: no path is 1-by-1');
  expect_equal(feval(g.Name, 1, 1, 9, 9, 0, 4, 0), [0; 0], 'direct: no goal is [0; 0]');
  % A node at x = 0, which only a direct call can make, after the goal ends the path there.
  feval(g.Name, 0, 2, 1, 1, 1, 0, 1);
  g.addNode([5 2], 1);
  feval(g.Name, 5, 2, 0.5, 2, 1, 0, 1);  % 0.5: the edge switch on, truncated to x = 0
  [p, ~, s, ~] = quietly(@() g.shortestPath([1 1], [5 2]));
  expect_equal({p, s}, {[5 2], 'cut'}, 'cut at a node with x = 0');
end

function cuts_long_paths_at_the_plugin_limit(g)
  n = 45;                          % longer than 41, shorter than 401
  chain = [(1:n).', ones(n, 1)];
  make_nodes(g, chain);
  for k = 1:n - 1
    g.addEdge(chain(k, :), chain(k + 1, :), 1);
  end
  [p, ~, s, ~] = quietly(@() g.shortestPath(chain(1, :), chain(n, :)));
  m = min(n, g.MaxPathPoints);
  expect_equal(p, [(n - m + 1:n).', ones(m, 1)], 'the points nearest the goal, in order');
  expected = 'found';
  if m < n
    expected = 'cut';
  end
  expect_equal(s, expected, 'status of a long path');
end

function merges_and_removes_nodes(g)
  % B (20, 20) has neighbours K1 (13, 14), K2 (11, 11) and A (10, 10); A also has (30, 30).
  make_nodes(g, [10 10; 20 20; 13 14; 11 11; 30 30]);
  g.addEdge([20 20], [13 14], 7);
  g.addEdge([20 20], [11 11], 7);
  g.addEdge([20 20], [10 10], 7);
  g.addEdge([30 30], [10 10], 5);
  g.mergeNodes([10 10], [20 20]);
  expect_equal(g.listNodes(), [10 10 1; 13 14 1; 11 11 1; 30 30 1], 'B is gone');
  expect_equal(g.neighbors([10 10]), [30 30; 13 14; 11 11], 'A took over B''s neighbours');
  expect_equal(g.neighbors([13 14]), [10 10], 'K points at A now');
  % The new edge A-K1 weighs its length, 5, whatever B-K1 weighed: A-K1-(30, 30) costs 6.
  g.addEdge([13 14], [30 30], 1);
  expect_equal(g.shortestPath([10 10], [30 30]), [10 10; 30 30], 'the direct edge (5) wins');
  g.setWeight([10 10], [30 30], 9);
  expect_equal(g.shortestPath([10 10], [30 30]), [10 10; 13 14; 30 30], '5 + 1 < 9');
  g.mergeNodes([1 1], [13 14]);    % no node at KEEP: nothing changes
  expect_equal(size(g.listNodes(), 1), 4, 'merge with a missing node');
  g.removeNode([13 14]);
  expect_equal(g.listNodes(), [10 10 1; 11 11 1; 30 30 1], 'removed');
  expect_equal(g.neighbors([10 10]), [30 30; 11 11], 'its edges went with it');
end

function runs_command_7_where_it_exists(g)
  make_nodes(g, [1 1; 2 1; 1 2]);
  g.addEdge([1 1], [2 1], 50);
  g.addEdge([1 1], [1 2], 1);
  g.addEdge([1 2], [2 1], 1);
  if strcmp(g.Command7, 'grid')
    g.importGrid([0 3 499], [0 0 499], [5 -2 9]);
    g.importGrid([1; 2], [3; 4], [5; 6]);  % columns are handed over as rows
    g.importGrid([], [], []);              % clears the grid
    expect_equal(g.shortestPath([1 1], [2 1]), [1 1; 1 2; 2 1], 'the grid leaves the graph');
    expect_error(@() g.importGrid([1 500], [1 1], [1 1]), 'GraphPlugin:badArgument', 'x 500');
    expect_error(@() g.importGrid([1 2], [1 -1], [1 1]), 'GraphPlugin:badArgument', 'y -1');
    expect_error(@() g.importGrid([1 2], [1 2], [1 2 3]), 'GraphPlugin:badArgument', 'lengths');
    expect_error(@() g.importGrid(1.5, 1, 1), 'GraphPlugin:badArgument', 'a fraction');
    expect_error(@() g.importGrid(1, 1), 'GraphPlugin:badArgument', 'VALUES missing');
    expect_error(@() g.refreshWeights(), 'GraphPlugin:notAvailable', 'refresh without it');
  else
    expect_equal(g.shortestPath([1 1], [2 1]), [1 1; 1 2; 2 1], 'the weights as given');
    g.refreshWeights();            % 50 becomes 1, the detour costs 1 + 1
    expect_equal(g.shortestPath([1 1], [2 1]), [1 1; 2 1], 'the weights as lengths');
    expect_error(@() g.importGrid(1, 1, 1), 'GraphPlugin:notAvailable', 'grid without it');
  end
end

function rejects_bad_arguments_and_changes_nothing(g)
  make_nodes(g, [1 1; 2 2]);
  g.addEdge([1 1], [2 2], 3);
  before = {g.listNodes(), g.neighbors([1 1]), g.neighbors([2 2])};
  bad = {
    'position of three',   @() g.addNode([1 2 3], 1)
    'fractional position', @() g.addNode([1.5 2], 1)
    'text position',       @() g.addNode('ab', 1)
    'complex position',    @() g.moveNode([1 1i], [2 2])
    'infinite position',   @() g.moveNode([1 1], [Inf 2])
    'position past int32', @() g.neighbours([2^31 1])
    'cell position',       @() g.neighbours({1, 1})
    'fractional value',    @() g.addNode([5 5], 1.5)
    'value past int32',    @() g.addNode([5 5], 2^31)
    'value of two',        @() g.addNode([5 5], [1 2])
    'NaN weight',          @() g.addEdge([1 1], [2 2], NaN)
    'logical weight',      @() g.setWeight([1 1], [2 2], true)
    'empty position',      @() g.shortestPath([], [2 2])
    'bad KEEP',            @() g.mergeNodes([1 1 1], [2 2])
    'bad P',               @() g.removeNode(-0.5)
    'no weight',           @() g.addEdge([1 1], [2 2])
    'no TO',               @() g.moveNode([1 1])
    'an extra argument',   @() g.mergeNodes([1 1], [2 2], 3)
    'an extra grid input', @() g.importGrid(1, 1, 1, 1)
    'no arguments at all', @() g.neighbors()
  };
  for k = 1:size(bad, 1)
    expect_error(bad{k, 2}, 'GraphPlugin:badArgument', bad{k, 1});
  end
  % What the plug-in's answers cannot carry, and a weight its search cannot handle; the
  % message names the rule.
  traps = {
    % what                  call                                       identifier       names
    'position with x = 0', @() g.addNode([0 3], 1),                   'zeroRule',      'has a 0'
    'value 0',             @() g.addNode([5 5], 0),                   'zeroRule',      'is 0'
    'row with y = 0',      @() g.addNode([5 5; 6 0], 1),              'zeroRule',      'row 2'
    'value 0 in a row',    @() g.addNode([5 5; 6 6], [1 0]),          'zeroRule',      'VALUES(2)'
    'edge to x = 0',       @() g.addEdge([1 1], [0 2], 1),            'zeroRule',      'B ='
    'move to y = 0',       @() g.moveNode([1 1], [1 0]),              'zeroRule',      'TO ='
    'path from [0 0]',     @() g.shortestPath([0 0], [1 1]),          'zeroRule',      'FROM ='
    'negative weight',     @() g.setWeight([1 1], [2 2], -5),         'negativeWeight', '0 or more'
    'negative new edge',   @() g.addEdge([1 1], [5 5], -1),           'negativeWeight', '0 or more'
    'negative in a row',   @() g.addEdge([1 1; 2 2], [2 2; 5 5], [1 -2]), 'negativeWeight', 'WEIGHT(2)'
    'edge to no node',     @() g.addEdge([5 5], [8 8], 1),            'noNode',        'B = [8 8]'
    'a row to no node',    @() g.addEdge([5 5; 6 6; 7 7], [1 1; 5 5; 9 9], 1), 'noNode', 'row 3 of B'
  };
  for k = 1:size(traps, 1)
    err = expect_error(traps{k, 2}, ['GraphPlugin:' traps{k, 3}], traps{k, 1});
    if isempty(strfind(err.message, traps{k, 4}))
      error('toolboxTest:message', '%s: the message does not name %s: %s', traps{k, 1}, ...
            traps{k, 4}, err.message);
    end
  end
  expect_equal({g.listNodes(), g.neighbors([1 1]), g.neighbors([2 2])}, before, ...
               'the graph after the rejected calls');
  g.addNode([-2147483648 2147483647], 7);  % the int32 limits themselves are fine
  nodes = g.listNodes();
  expect_equal(nodes(end, :), [-2147483648 2147483647 7], 'int32 limits');
end

function shares_one_graph_per_plugin(g)
  other = GraphPlugin(g.Name);
  g.addNode([3 3], 3);
  expect_equal(other.listNodes(), [3 3 3], 'a second wrapper sees the same graph');
  for name = {'zelmot', 'ombrik', 'main'}
    if ~strcmp(name{1}, g.Name)
      elsewhere = GraphPlugin(name{1});
      elsewhere.reset();
      expect_equal(elsewhere.listNodes(), zeros(0, 3), ['nothing shared with ' name{1}]);
    end
  end
  other.reset();
  expect_equal(g.listNodes(), zeros(0, 3), 'reset empties the graph for every wrapper');
end

function flags_the_zero_rule_and_the_bounds(g)
  % A value 0 that a direct call made hides what follows: the listing says so.
  g.addNode([1 1], 5);
  feval(g.Name, 2, 2, 0, 0, 0, 0, 0);
  g.addNode([3 3], 7);
  [nodes, s, id] = quietly(@() g.listNodes());
  expect_equal({nodes, s, id}, {[1 1 5], 'cut', 'GraphPlugin:zeroCut'}, 'a value 0 cuts');
  expect_equal(feval(g.Name, 0, 0, 0, 0, 0, 6, 0), [1 2 0; 1 2 0; 5 0 0], 'the raw answer');
  % A listing at its bound: the first MaxListed nodes, and a warning that more may follow.
  g.reset();
  n = g.MaxListed + 1;
  g.addNode([(1:n).', ones(n, 1)], 2);
  [nodes, s, id] = quietly(@() g.listNodes());
  expect_equal({size(nodes, 1), nodes(end, :), s, id}, ...
               {g.MaxListed, [g.MaxListed 1 2], 'capped', 'GraphPlugin:listCapped'}, 'capped');
  % Weights of 100 a block on a line of 301 nodes: the far end costs 30000, which counts as
  % no path; one block less is found.
  g.reset();
  n = 301;
  g.addNode([(1:n).', ones(n, 1)], 2);
  g.addEdge([(1:n - 1).', ones(n - 1, 1)], [(2:n).', ones(n - 1, 1)], 100);
  [p, ~, s, id] = quietly(@() g.shortestPath([1 1], [n 1]));
  expect_equal({p, s, id}, {zeros(0, 2), 'costBound', 'GraphPlugin:costBound'}, 'cost bound');
  [p, ~, s, id] = quietly(@() g.shortestPath([1 1], [n - 1, 1]));
  expected = {'found', ''};
  if n - 1 > g.MaxPathPoints
    expected = {'cut', 'GraphPlugin:pathCut'};
  end
  expect_equal({p(end, :), s, id}, [{[n - 1, 1]}, expected], 'just under the cost bound');
  warning('off', 'GraphPlugin:costBound');  % a user's choice: the status alone tells
  lastwarn('', '');
  [~, ~, s] = g.shortestPath([1 1], [n 1]);
  [~, id] = lastwarn();
  warning('on', 'GraphPlugin:costBound');
  expect_equal({s, id}, {'costBound', ''}, 'the warning turned off');
end

function shows_itself(g)
  text = evalc('disp(g)');
  for part = {g.Name, g.Store, sprintf('%d', g.MaxPathPoints), sprintf('%d', g.MaxListed), ...
              '30000', g.Command7}
    if isempty(strfind(text, part{1}))
      error('toolboxTest:disp', 'disp(g) does not show %s:\n%s', part{1}, text);
    end
  end
  listed = methods(g);
  expect_equal(any(ismember({'call', 'require_command7', 'position'}, listed)), false, ...
               'methods lists no private function');
end

function prints_help(g) %#ok<INUSD>
  text = evalc('help GraphPlugin');
  for method = {'addNode', 'addEdge', 'neighbors', 'moveNode', 'setWeight', 'shortestPath', ...
                'mergeNodes', 'removeNode', 'listNodes', 'importGrid', 'refreshWeights', 'reset', ...
                'copy', 'numNodes', 'numEdges', 'findNode', 'findEdge', 'edges', 'degree', ...
                'removeEdge', 'nearest'}  % Octave's help GraphPlugin.plot and .delete show its own
    if isempty(strfind(text, method{1}))
      error('toolboxTest:help', 'help GraphPlugin does not name %s', method{1});
    end
    own = evalc(['help GraphPlugin.' method{1}]);
    h1 = upper(method{1});
    if isempty(strfind(own, h1)) || isempty(strfind(own, 'Example:'))
      error('toolboxTest:help', 'help GraphPlugin.%s lacks its H1 line or example:\n%s', ...
            method{1}, own);
    end
  end
end

function takes_rows_as_one_call_each(g)
  g.addNode([1 1; 2 1; 3 1; 1 1], [10; 20; 30; 40]);  % (1, 1) is taken by then: keeps 10
  g.addNode(int32([1 2; 2 2]));                         % value 1 for every row
  g.addNode(zeros(0, 2), 5);                            % no rows: nothing
  g.addNode(single([4 1]), 2);                          % one position, converted
  % (8, 8) has no node: the whole call is refused, and (6, 6) is not made either.
  err = expect_error(@() g.addEdge([1 1; 2 1; 6 6], [2 1; 3 1; 8 8], [4 5 7]), ...
                     'GraphPlugin:noNode', 'a row to no node');
  expect_equal({isempty(strfind(err.message, 'row 3 of B')), size(g.neighbors([1 1]), 1)}, ...
               {false, 0}, 'the first row to no node named, no row added');
  g.addEdge([1 1; 2 1], [2 1; 3 1], [4 5]);
  g.addNode([6 6], 1);
  expect_equal(g.listNodes(), [1 1 10; 2 1 20; 3 1 30; 1 2 1; 2 2 1; 4 1 2; 6 6 1], ...
               'nodes from rows');
  g.addNode([-1 3], 4);
  g.addEdge([1 1; 1 2; 2 2], [1 2; 2 2; -1 3], 1);      % one weight for all rows
  nb = g.neighbours([1 1; 2 1; -1 3; 5 5]);
  expect_equal(nb, {[2 1; 1 2]; [1 1; 3 1]; [2 2]; zeros(0, 2)}, ...
               'neighbours of rows, one cell each');
  expect_equal(g.neighbors(nb{1}), {[1 1; 3 1]; [1 1; 2 2]}, 'an answer passed back in');
  expect_equal(g.neighbours(zeros(0, 2)), cell(0, 1), 'neighbours of no rows');
  expect_equal(g.shortestPath([1 1], [2 2]), [1 1; 1 2; 2 2], 'via (1, 2): 1 + 1');
  g.addEdge([2 1], [2 2], 1);                           % via (2, 1): 4 + 1
  g.setWeight([1 1; 1 2], [1 2; 2 2], [9 9]);
  expect_equal(g.shortestPath([1 1], [2 2]), [1 1; 2 1; 2 2], 'weights set from rows');
  g.setWeight([1 1; 1 2], [1 2; 2 2], 1);               % one weight for all rows
  expect_equal(g.shortestPath([1 1], [2 2]), [1 1; 1 2; 2 2], 'one weight for all rows');
end

function rejects_a_bad_row_and_changes_nothing(g)
  g.addNode([1 1; 2 2], [5 6]);
  g.addEdge([1 1], [2 2], 3);
  graph = @() {g.listNodes(), g.neighbors([1 1; 2 2])};
  before = graph();
  new = [3 3; 4 4; 5 5];           % rows that would change the graph if they went in
  bad = {
    % what                  call                                                   the message names
    'fraction in row 2',    @() g.addNode([3 3; 4.5 4; 5 5], 1),                   'row 2 of P'
    'NaN in row 3',         @() g.addNode([3 3; 4 4; NaN 5], 1),                   'row 3 of P'
    'B past int32, row 2',  @() g.addEdge([3 3; 1 1], [1 1; 2^31 2], 1),           'row 2 of B'
    'infinite A, row 3',    @() g.setWeight([1 1; 2 2; 1 -Inf], [2 2; 1 1; 2 2], 1), 'row 3 of A'
    'weight 2 a fraction',  @() g.addEdge([3 3; 4 4], [1 1; 2 2], [1 1.5]),        'WEIGHT(2)'
    'value 3 past int32',   @() g.addNode(new, [1 2 2^31]),                        'VALUES(3)'
    'three columns',        @() g.addNode([3 3 3; 4 4 4], 1),                      'n-by-2'
    'text rows',            @() g.neighbours(['ab'; 'cd']),                        'n-by-2'
    'complex rows',         @() g.addNode([3 3; 4 4i], 1),                         'n-by-2'
    'A and B rows differ',  @() g.addEdge(new, new(1:2, :), 1),                    '3 and 2'
    'two values, 3 rows',   @() g.addNode(new, [1 2]),                             'one per row'
    'logical weights',      @() g.addEdge(new, new, true(3, 1)),                   'WEIGHT'
    'logical value, 1 row', @() g.addNode([3 3], true),                            'VALUE'
  };
  for k = 1:size(bad, 1)
    err = expect_error(bad{k, 2}, 'GraphPlugin:badArgument', bad{k, 1});
    if isempty(strfind(err.message, bad{k, 3}))
      error('toolboxTest:message', '%s: the message does not name %s: %s', bad{k, 1}, ...
            bad{k, 3}, err.message);
    end
  end
  expect_equal(graph(), before, 'the graph after the rejected rows');
  % Many rows are checked against one listing: row 18's B has no node, and no row makes it,
  % until row 5 makes it as its A.
  A = [(1:20).', 8 * ones(20, 1)];
  B = [(1:20).', 7 * ones(20, 1)];
  g.addNode(B, 1);
  B(18, :) = [99 99];
  before = graph();
  err = expect_error(@() g.addEdge(A, B, 1), 'GraphPlugin:noNode', 'many rows');
  expect_equal({isempty(strfind(err.message, 'row 18 of B')), graph()}, {false, before}, ...
               'the first row to no node named, nothing changed');
  A(5, :) = [99 99];
  g.addEdge(A, B, 1);
  expect_equal(g.neighbors([99 99]), [5 7; 18 8], 'a B made by an earlier row');
end

function reads_shared_positions_as_the_search_does(g)
  % After a move onto a taken position, neighbors and setWeight take the first node made there,
  % addEdge, removeNode and the search the last. F (1, 1) has no edge, L (9, 9) one to T (5, 5)
  % at the cost bound; L moves onto F. The search's end at (1, 1) is L, whose edges no answer
  % shows: 'costBound' with a warning naming the position, not a 'noPath' read off F.
  g.addNode([1 1; 5 5; 9 9; 3 3], 1);
  g.addEdge([9 9], [5 5], g.CostBound);
  g.moveNode([9 9], [1 1]);
  steps = {
    % call                                      path             status       warning
    @() g.shortestPath([1 1], [5 5]),           zeros(0, 2),     'costBound', 'holds 2 nodes'
    @() g.shortestPath([5 5], [1 1]),           zeros(0, 2),     'costBound', 'holds 2 nodes'
    @() g.setWeight([5 5], [1 1], 1),           [],              [],          ''  % T's entry to L
    @() g.shortestPath([5 5], [1 1]),           [5 5; 1 1],      'found',     ''
    @() g.shortestPath([1 1], [5 5]),           zeros(0, 2),     'costBound', 'holds 2 nodes'
    @() g.addEdge([3 3], [1 1], 2),             [],              [],          ''  % to L
    @() g.shortestPath([3 3], [1 1]),           [3 3; 1 1],      'found',     ''
    @() g.neighbors([1 1]),                     zeros(0, 2),     'answer',    ''  % F's
    @() g.removeNode([1 1]),                    [],              [],          ''  % L goes
    @() g.shortestPath([1 1], [5 5]),           zeros(0, 2),     'noPath',    ''  % F alone
    @() g.shortestPath([3 3], [5 5]),           zeros(0, 2),     'noPath',    ''  % 3 3 bare now
  };
  for k = 1:size(steps, 1)
    fn = steps{k, 1};
    out = {[], []};
    lastwarn('', '');
    if strcmp(steps{k, 3}, 'answer')  % an answer alone, no status
      out = {fn(), 'answer'};
    elseif ~isempty(steps{k, 3})
      evalc('[out{1}, ~, out{2}] = fn();');  % the path and its status
    else
      fn();
    end
    said = lastwarn();
    expect_equal(out, steps(k, 2:3), sprintf('shared position, step %d', k));
    if isempty(steps{k, 4}) ~= isempty(said) ...
        || (~isempty(said) && isempty(strfind(said, steps{k, 4})))
      error('toolboxTest:warning', 'shared position, step %d: warned "%s", expected "%s"', ...
            k, said, steps{k, 4});
    end
  end
  % F with the edge, L bare: the protocol cannot tell L has none, so 'costBound' again.
  g.reset();
  g.addNode([9 9; 5 5; 1 1], 1);
  g.addEdge([9 9], [5 5], 1);
  g.moveNode([9 9], [1 1]);
  [p, ~, s, id] = quietly(@() g.shortestPath([1 1], [5 5]));
  expect_equal({p, s, id, g.neighbors([1 1])}, ...
               {zeros(0, 2), 'costBound', 'GraphPlugin:costBound', [5 5]}, 'the last node bare');
end

function own_graph_has_no_bounds(g)
  expect_equal({g.Name, g.MaxPathPoints, g.MaxListed, g.CostBound, g.Command7, g.Store}, ...
               {'', Inf, Inf, Inf, 'refresh', 'indexed'}, 'the properties of a graph of its own');
  % More nodes than any plug-in lists, a path of more points than any returns, costing more
  % than the plug-ins' cost bound: all whole.
  n = 20000;
  g.addNode([(1:n).', zeros(n, 1)], 7);
  g.addEdge([(1:499).', zeros(499, 1)], [(2:500).', zeros(499, 1)], 100);
  [nodes, s] = g.listNodes();
  expect_equal({size(nodes, 1), nodes(end, :), s}, {n, [n 0 7], 'complete'}, 'a whole listing');
  [p, d, s] = g.shortestPath([1 0], [500 0]);
  expect_equal({p, d, s}, {[(1:500).', zeros(500, 1)], 49900, 'found'}, 'a whole path, its cost');
  expect_equal({g.numNodes(), g.numEdges()}, {n, 499}, 'the counts');
  text = evalc('disp(g)');
  if isempty(strfind(text, sprintf('%d nodes, 499 edges', n)))
    error('toolboxTest:disp', 'disp(g) does not show the counts:\n%s', text);
  end
end

function own_graph_builds_and_reads(g)
  g.addNode([0 0; 1 0; 0 1; 1 0], [0 5 -3 9]);  % 0 is a position and a value; (1, 0) keeps 5
  g.addEdge([0 0; 1 0], [1 0; 2 2], [4 7]);       % (2, 2) is made, with value 1
  g.addEdge([0 0], [0 0], 1);                     % a node joined to itself
  lastwarn('', '');
  evalc('g.addEdge([1 0; 0 1; 0 0], [0 0; 0 0; 1 0], 9);');  % rows 1 and 3 are joined already
  [said, id] = lastwarn();
  expect_equal(id, 'GraphPlugin:edgeExists', 'an existing edge warns');
  if isempty(strfind(said, 'row 1')) || isempty(strfind(said, '1 more'))
    error('toolboxTest:warning', 'the edgeExists warning does not name row 1 and 1 more: %s', said);
  end
  reads = {
    % call                                               answer
    @() g.listNodes(),                                   [0 0 0; 1 0 5; 0 1 -3; 2 2 1]
    @() g.edges(),                                       [0 0 1 0 4; 1 0 2 2 7; 0 0 0 0 1; 0 1 0 0 9]
    @() [g.numNodes(), g.numEdges()],                    [4 4]
    @() g.neighbors([0 0]),                              [1 0; 0 0; 0 0; 0 1]
    @() g.neighbours([0 0; 1 0; 7 7]),                   {[1 0; 0 0; 0 0; 0 1]; [0 0; 2 2]; zeros(0, 2)}
    @() g.neighbors(zeros(0, 2)),                        cell(0, 1)
    @() g.degree([0 0; 1 0; 7 7]),                       [4; 2; 0]
    @() g.findNode([0 0; 2 2; 3 3]),                     [true; true; false]
    @() g.findEdge([0 0; 1 0; 2 2; 7 7], [1 0; 0 0; 0 0; 0 0]), [true; true; false; false]
    @() class(g.findNode([0 0])),                        'logical'
    @() g.findEdge(int32([2 2]), single([1; 0])),        true      % other types, a column
  };
  for k = 1:size(reads, 1)
    expect_equal(reads{k, 1}(), reads{k, 2}, sprintf('read %d: %s', k, func2str(reads{k, 1})));
  end
end

function own_graph_finds_paths(g)
  g.addNode([5 5; 9 9], 1);                       % (5, 5) without edges
  g.addEdge([0 0; 1 0; 2 0; 3 0], [1 0; 2 0; 3 0; 4 0], [1 2 3 4]);
  chain = [(0:4).', zeros(5, 1)];
  cases = {
    % from           to               path                  cost             status
    [0 0],           [4 0],           chain,                10,              'found'
    [4 0],           [0 0],           flipud(chain),        10,              'found'
    [2 0],           [2 0],           [2 0],                0,               'found'
    [0 0],           [5 5],           zeros(0, 2),          Inf,             'noPath'
    [0 0; 9 9; 1 0], [4 0; 0 0; 3 0], {chain; zeros(0, 2); chain(2:4, :)}, [10; Inf; 5], ...
                                                                             {'found'; 'noPath'; 'found'}
    zeros(0, 2),     zeros(0, 2),     cell(0, 1),           zeros(0, 1),     cell(0, 1)
  };
  for k = 1:size(cases, 1)
    [p, d, s] = g.shortestPath(cases{k, 1}, cases{k, 2});
    expect_equal({p, d, s}, cases(k, 3:5), sprintf('path case %d', k));
  end
  reach = {
    % P       maxCost   nodes                    costs
    [0 0],    3,        [1 0; 2 0],              [1; 3]
    [0 0],    Inf,      chain(2:end, :),         [1; 3; 6; 10]
    [2 0],    3,        [1 0; 0 0; 3 0],         [2; 3; 3]     % a tie: (0, 0) was made first
    [0 0],    0,        zeros(0, 2),             zeros(0, 1)
    [5 5],    100,      zeros(0, 2),             zeros(0, 1)
  };
  for k = 1:size(reach, 1)
    [nodes, d] = g.nearest(reach{k, 1:2});
    expect_equal({nodes, d}, reach(k, 3:4), sprintf('nearest case %d', k));
  end
  [nodes, d] = g.nearest([0 0]);
  expect_equal({nodes, d}, reach(2, 3:4), 'nearest without a bound');
  g.setWeight([0 0], [1 0], 0);                   % weights of 0 are weights
  g.addEdge([0 0], [4 0], 5);
  [p, d] = g.shortestPath([0 0], [4 0]);
  expect_equal({p, d}, {[0 0; 4 0], 5}, 'the cheaper edge');
end

function own_graph_changes(g)
  g.addEdge([0 0; 3 4; 6 8], [3 4; 6 8; 0 0], 1);  % a triangle of sides 5, 5 and 10
  steps = {
    % change                                    edges after it
    @() g.removeEdge([0 0; 5 5], [3 4; 5 5]),   [3 4 6 8 1; 6 8 0 0 1]
    @() g.refreshWeights(),                     [3 4 6 8 5; 6 8 0 0 10]
    @() g.setWeight([0 0; 7 7], [6 8; 0 0], 2), [3 4 6 8 5; 6 8 0 0 2]
    @() g.moveNode([3 4], [0 4]),               [0 4 6 8 5; 6 8 0 0 2]
    @() g.mergeNodes([6 8], [0 4]),             [6 8 0 0 2]               % (0, 4) folded away
    @() g.addEdge([6 8], [-1 -1], 3),           [6 8 0 0 2; 6 8 -1 -1 3]
    @() g.removeNode([0 0; 9 9]),               [6 8 -1 -1 3]
  };
  for k = 1:size(steps, 1)
    steps{k, 1}();
    expect_equal(g.edges(), steps{k, 2}, sprintf('change %d: %s', k, func2str(steps{k, 1})));
  end
  expect_equal(g.listNodes(), [6 8 1; -1 -1 1], 'the nodes after the changes');
  other = GraphPlugin();
  other.addNode([1 1]);
  g.reset();
  expect_equal({g.numNodes(), g.edges(), other.listNodes()}, {0, zeros(0, 5), [1 1 1]}, ...
               'reset empties this graph only');
end

function own_graph_refuses_and_changes_nothing(g)
  g.addEdge([0 0; 1 0], [1 0; 2 0], 1);
  graph = @() {g.listNodes(), g.edges()};
  before = graph();
  bad = {
    % call                                          identifier        the message names
    @() g.addNode([1 2 3], 1),                      'badArgument',    'GraphPlugin.addNode'
    @() g.addNode([5 5], 0.5),                      'badArgument',    'VALUES(1)'
    @() g.addNode([5 5; 6 6], [1 2 3]),             'badArgument',    'one per row'
    @() g.addNode([5 5], 1, 1),                     'badArgument',    'addNode(G, P, VALUE)'
    @() g.addEdge([5 5], [6 6]),                    'badArgument',    'addEdge(G, A, B, WEIGHT)'
    @() g.addEdge([5 5; 6 6], [7 7], 1),            'badArgument',    '2 and 1'
    @() g.addEdge([5 5], [6 NaN], 1),               'badArgument',    'B must be a position'
    @() g.addEdge([5 5; 6 6], [6 6; 7 NaN], 1),     'badArgument',    'row 2 of B'
    @() g.addEdge([5 5], [6 6], -1),                'negativeWeight', 'WEIGHT(1)'
    @() g.addEdge([5 5; 6 6], [6 6; 7 7], [1 -1]),  'negativeWeight', 'WEIGHT(2)'
    @() g.setWeight([0 0], [1 0], -2),              'negativeWeight', 'GraphPlugin.setWeight'
    @() g.shortestPath([0 0], [8 8]),               'noNode',         'GraphPlugin.shortestPath'
    @() g.shortestPath([0 0; 8 8], [1 0; 0 0]),     'noNode',         'GraphPlugin.shortestPath'
    @() g.shortestPath([0 0], [1 0; 2 0]),          'badArgument',    '1 and 2'
    @() g.nearest([8 8], 1),                        'noNode',         'GraphPlugin.nearest'
    @() g.nearest([0 0], -1),                       'badArgument',    'MAXCOST'
    @() g.nearest([0 0], NaN),                      'badArgument',    'MAXCOST'
    @() g.moveNode([0 0; 1 0], [5 5; 6 6]),         'badArgument',    'FROM'
    @() g.mergeNodes([0 0], [1 0], [2 0]),          'badArgument',    'mergeNodes(G, KEEP, FOLD)'
    @() g.removeEdge([0 0; 1 0], [1 0]),            'badArgument',    'GraphPlugin.removeEdge'
    @() g.findEdge([0 0]),                          'badArgument',    'findEdge(G, A, B)'
    @() g.degree('ab'),                             'badArgument',    'GraphPlugin.degree'
    @() g.numNodes(1),                              'badArgument',    'numNodes(G)'
    @() g.edges(1),                                 'badArgument',    'edges(G)'
    @() g.copy(1),                                  'badArgument',    'copy(G)'
    @() g.plot([1 2 3]),                            'badArgument',    'PATH'
    @() g.importGrid(1, 1, 1),                      'notAvailable',   'GraphPlugin.importGrid'
  };
  for k = 1:size(bad, 1)
    err = expect_error(bad{k, 1}, ['GraphPlugin:' bad{k, 2}], func2str(bad{k, 1}));
    if isempty(strfind(err.message, bad{k, 3}))
      error('toolboxTest:message', '%s: the message does not name %s: %s', ...
            func2str(bad{k, 1}), bad{k, 3}, err.message);
    end
  end
  expect_equal(graph(), before, 'the graph after the refused calls');
  if exist('zelmot') == 3  % the methods of graphs of their own, asked of a plug-in
    z = GraphPlugin('zelmot');
    for method = {@numNodes, @numEdges, @edges}
      expect_error(@() method{1}(z), 'GraphPlugin:notAvailable', func2str(method{1}));
    end
    expect_error(@() z.nearest([1 1], 1), 'GraphPlugin:notAvailable', 'nearest on zelmot');
  end
end

function own_graphs_live_as_handles(g)
  g.addNode([1 1; 2 2]);
  h = g;
  h.addNode([3 3]);
  c = copy(g);
  c.addEdge([1 1], [2 2], 4);
  expect_equal({g.numNodes(), g.numEdges(), c.listNodes(), c.numEdges()}, ...
               {3, 0, g.listNodes(), 1}, 'h = g shares the graph, copy(g) does not');
  delete(g);
  expect_error(@() h.numNodes(), 'GraphPlugin:noGraph', 'a call on a freed graph');
  expect_error(@() h.addNode([4 4]), 'GraphPlugin:noGraph', 'a change of a freed graph');
  delete(h);                                     % again: nothing to free, no error
  if isempty(strfind(evalc('disp(h)'), 'not available'))
    error('toolboxTest:disp', 'disp of a freed graph does not say so');
  end
  expect_equal(c.numEdges(), 1, 'the copy outlives its original');
  if exist('graphplugin_engine') == 3  % the engine itself is on the path: ask it
    t = GraphPlugin();
    id = t.Graph;
    clear t;                                     % the last reference: the graph is freed
    expect_equal(graphplugin_engine(2, id), 0, 'the last reference gone frees the graph');
    clear graphplugin_engine;                    % frees every graph
    expect_error(@() c.numNodes(), 'GraphPlugin:noGraph', 'a graph from before a clear');
    expect_equal(GraphPlugin().numNodes(), 0, 'a new graph after the clear');
  end
end

function own_graph_plots(g)
  if ~any(strcmp(available_graphics_toolkits(), 'gnuplot'))
    error('toolboxTest:plot', 'no gnuplot toolkit to draw with headless (Debian: gnuplot-nox)');
  end
  g.addEdge([0 0; 1 0], [1 0; 1 1], 1);
  warning('off', 'Octave:gnuplot-graphics');
  graphics_toolkit('gnuplot');
  fig = figure('visible', 'off');
  h = g.plot();
  expect_equal({numel(h), all(ishghandle(h))}, {2, true}, 'edges and nodes');
  x = get(h(1), 'XData');
  expect_equal(x(~isnan(x)), [0 1 1 1], 'every edge a segment');
  h = g.plot(g.shortestPath([0 0], [1 1]));
  expect_equal({numel(h), get(h(3), 'XData'), get(h(3), 'YData')}, {3, [0 1 1], [0 0 1]}, ...
               'the path over the edges');
  h = g.plot({[0 0; 1 0], [1 0; 1 1]});
  expect_equal(get(h(3), 'XData'), [0 1 NaN 1 1 NaN], 'paths of a cell, apart');
  file = [tempname() '.png'];
  print(fig, file, '-dpng');
  close(fig);
  fid = fopen(file, 'r');
  head = fread(fid, 8, 'uint8=>double').';
  fclose(fid);
  delete(file);
  expect_equal(head, [137 80 78 71 13 10 26 10], 'the picture is a PNG');
end

function varargout = quietly(fn)
% The outputs of FN, then the identifier of the warning it gave ('' for none); the warning is
% not shown.
  lastwarn('', '');
  out = cell(1, nargout - 1);
  evalc('[out{:}] = fn();');
  varargout = out;
  [~, varargout{nargout}] = lastwarn();
end

function store = store_of(name)
% The store of the plug-in file NAME on the path, by the folder the builds and the package put
% it in: the indexed trees and the package's own folder hold the indexed build.
  folder = fileparts(which(name));
  store = 'reference';
  if ~isempty(strfind(folder, 'indexed')) || exist(fullfile(folder, 'reference'), 'dir')
    store = 'indexed';
  end
end

function make_nodes(g, positions)
  for k = 1:size(positions, 1)
    g.addNode(positions(k, :), 1);
  end
end
