classdef GraphPlugin
% GRAPHPLUGIN  Named methods for one graph plug-in: zelmot, ombrik or main.
%   G = GraphPlugin(NAME) binds G to the plug-in NAME ('zelmot', 'ombrik' or
%   'main'), which must be on the path (build it with build_plugins).
%   G = GraphPlugin() binds G to 'zelmot'.
%
%   The plug-in keeps one graph while it is loaded. Every GraphPlugin bound to
%   the same NAME, and every direct call NAME(ax, ay, bx, by, w, code, val),
%   works on that one graph; the three plug-ins share nothing. G.reset()
%   unloads the plug-in, and the next call starts from an empty graph.
%
%   Nodes are named by their position P = [x y], two whole numbers. Each node
%   carries a whole-number value; edges are undirected, with whole-number
%   weights (zero and negative weights are accepted).
%
%   Methods (help GraphPlugin.<method> for each):
%     addNode        - add a node at [x y] with a value
%     addEdge        - join two nodes with a weighted edge
%     neighbours     - positions of a node's neighbours, 2-by-k
%     moveNode       - move every node at one position to another
%     setWeight      - change the weight of an edge
%     shortestPath   - cheapest path between two nodes, 2-by-m, goal first
%     mergeNodes     - fold one node into another
%     removeNode     - remove a node and its edges
%     listNodes      - every node with its value, 3-by-N
%     importGrid     - load the 500-by-500 grid (zelmot and ombrik)
%     refreshWeights - set every weight to the length of its edge (main)
%     reset          - unload the plug-in, emptying its graph
%
%   Properties (read-only):
%     Name           - the plug-in: 'zelmot', 'ombrik' or 'main'
%     MaxPathPoints  - most points shortestPath returns: 41, or 401 in ombrik
%     MaxListed      - most nodes listNodes returns: 300, or 16666 in ombrik
%     Command7       - 'grid', 'refresh' or 'none': what code 7 does here
%
%   Nothing to report comes back empty and of the right shape: neighbours of
%   a node without any is zeros(2,0), listNodes of an empty graph zeros(3,0).
%
%   Zero ends a result: the plug-in stops copying an answer at its first 0
%   after element 1, and everything after it reads 0. Give the nodes you want
%   reported nonzero coordinates and nonzero values (a node at x = 0 on a path
%   ends the path there). The wrapper returns what the plug-in returned.
%
%   Arguments are checked before the plug-in is called; a bad one raises
%   GraphPlugin:badArgument and changes nothing.
%
%   Example:
%     g = GraphPlugin('zelmot');
%     g.reset();
%     g.addNode([1 1], 10);
%     g.addNode([2 1], 20);
%     g.addNode([3 1], 30);
%     g.addEdge([1 1], [2 1], 4);
%     g.addEdge([2 1], [3 1], 4);
%     g.neighbours([2 1])              % [1 3; 1 1]
%     g.shortestPath([1 1], [3 1])     % [3 2 1; 1 1 1]
%     g.listNodes()                    % [1 2 3; 1 1 1; 10 20 30]
%
%   See also build_plugins, Contents.

  properties (SetAccess = private)
    Name = 'zelmot';     % the plug-in: 'zelmot', 'ombrik' or 'main'
    MaxPathPoints = 41;  % most (x, y) points shortestPath returns
    MaxListed = 300;     % most nodes listNodes returns
    Command7 = 'grid';   % 'grid', 'refresh' or 'none'
  end

  methods
    function g = GraphPlugin(name)
      % GRAPHPLUGIN  Bind a wrapper to the plug-in NAME.
      %   G = GraphPlugin(NAME) with NAME 'zelmot', 'ombrik' or 'main'. The
      %   plug-in file (NAME.mex in Octave, NAME.mexw64 or NAME.mexa64 in
      %   MATLAB) must be on the path; if it is not, GraphPlugin:notBuilt.
      %
      %   Example:
      %     g = GraphPlugin('ombrik');
      %     g.MaxPathPoints              % 401
      if nargin < 1
        name = 'zelmot';
      end
      names = {'zelmot', 'ombrik', 'main'};
      if ~ischar(name) || ~any(strcmp(name, names))
        error('GraphPlugin:unknownPlugin', ...
              'GraphPlugin: the plug-in must be ''zelmot'', ''ombrik'' or ''main''');
      end
      if exist(name, 'file') ~= 3  % 3: a MEX file on the path
        error('GraphPlugin:notBuilt', ...
              ['GraphPlugin: %s is not on the path as a MEX file; build it with ' ...
               'build_plugins and addpath the folder it went to'], name);
      end
      g.Name = name;
      if strcmp(name, 'ombrik')
        g.MaxPathPoints = 401;
        g.MaxListed = 16666;
      end
      if strcmp(name, 'main')
        if is_64bit_host()
          g.Command7 = 'refresh';  % the 32-bit main has no command 7 at all
        else
          g.Command7 = 'none';
        end
      end
    end

    function addNode(g, p, value)
      % ADDNODE  Add a node at position P = [x y] with a value.
      %   addNode(G, P, VALUE) adds a node at P holding VALUE, a whole number.
      %   addNode(G, P) gives it the value 1. When a node already stands at
      %   P, nothing changes: that node keeps its value.
      %
      %   Nonzero values and coordinates are the ones listNodes reports whole.
      %
      %   Example:
      %     g.addNode([3 4], 7);
      %     g.addNode([3 4], 9);          % no change: (3, 4) keeps 7
      if nargin < 3
        value = 1;
      end
      p = position(p, 'addNode', 'P');
      value = whole(value, 'addNode', 'VALUE');
      call(g, 0, p(1), p(2), 0, 0, 0, value);
    end

    function addEdge(g, a, b, weight)
      % ADDEDGE  Join the nodes at A and B with an undirected edge.
      %   addEdge(G, A, B, WEIGHT) joins the nodes at positions A and B, both
      %   [x y], with weight WEIGHT, a whole number (zero and negative are
      %   accepted). Nothing changes when A and B are already joined (the old
      %   weight stays: use setWeight) or no node stands at B.
      %
      %   Like the plug-in's command 0, it first adds a node at A, with value
      %   1, when none stands there. A == B joins a node to itself, except in
      %   the 64-bit main, which refuses such edges.
      %
      %   An edge to a node at x = 0 works too (the wrapper passes 0.5, which
      %   the plug-in truncates to 0, because a 0 there means "no edge").
      %
      %   Example:
      %     g.addNode([1 1], 5);
      %     g.addNode([4 5], 6);
      %     g.addEdge([1 1], [4 5], 3);
      a = position(a, 'addEdge', 'A');
      b = position(b, 'addEdge', 'B');
      weight = whole(weight, 'addEdge', 'WEIGHT');
      bx = b(1);
      if bx == 0
        bx = 0.5;  % input 3 doubles as the edge switch; 0.5 turns it on and truncates to 0
      end
      call(g, 0, a(1), a(2), bx, b(2), weight, 1);
    end

    function r = neighbours(g, p)
      % NEIGHBOURS  Positions of the neighbours of the node at P.
      %   R = neighbours(G, P) is 2-by-k: column j is [x; y] of the j-th
      %   neighbour, in the order the edges were made. A node joined to itself
      %   lists itself twice. No node at P, or a node without edges: zeros(2,0).
      %   Where several nodes stand at P, the first made answers.
      %
      %   Zero ends the answer: every element from the first 0 after element 1
      %   on reads 0.
      %
      %   Example:
      %     g.neighbours([1 1])           % [4; 5] after the addEdge example
      p = position(p, 'neighbours', 'P');
      r = call(g, 1, p(1), p(2), 0, 0, 0, 0);
      if isequal(size(r), [1 1])
        r = zeros(2, 0);  % the plug-in's 1-by-1 zero: nothing to report
      end
    end

    function moveNode(g, from, to)
      % MOVENODE  Move every node at position FROM to position TO.
      %   moveNode(G, FROM, TO) moves the nodes at FROM to TO, even onto a
      %   taken position (the nodes then share it and move together from then
      %   on). Moved nodes keep their values, edges and weights: use
      %   refreshWeights (main) to make weights match the new lengths.
      %   No node at FROM: nothing changes.
      %
      %   Example:
      %     g.moveNode([4 5], [7 9]);
      from = position(from, 'moveNode', 'FROM');
      to = position(to, 'moveNode', 'TO');
      call(g, 2, from(1), from(2), to(1), to(2), 0, 0);
    end

    function setWeight(g, a, b, weight)
      % SETWEIGHT  Change the weight of the edge between the nodes at A and B.
      %   setWeight(G, A, B, WEIGHT) sets both directions of the edge A-B to
      %   WEIGHT, a whole number. Without such an edge nothing changes.
      %
      %   Example:
      %     g.setWeight([1 1], [7 9], 12);
      a = position(a, 'setWeight', 'A');
      b = position(b, 'setWeight', 'B');
      weight = whole(weight, 'setWeight', 'WEIGHT');
      call(g, 3, a(1), a(2), b(1), b(2), weight, 0);
    end

    function [path, status] = shortestPath(g, from, to)
      % SHORTESTPATH  Cheapest path between the nodes at FROM and TO.
      %   [PATH, STATUS] = shortestPath(G, FROM, TO) gives the path as a
      %   2-by-m matrix of [x; y] columns: column 1 is TO, the last is FROM.
      %   STATUS tells what the plug-in answered:
      %     'found'   the whole path; FROM == TO gives the 2-by-1 node alone
      %     'cut'     the path is longer than G.MaxPathPoints (41, or 401 in
      %               ombrik), or a node after TO has x = 0: PATH holds the
      %               points nearest TO and the FROM end is missing
      %     'noPath'  no path (the plug-in's 1-by-1 zero): empty graph, no
      %               node at FROM, TO not connected to FROM, or the
      %               cheapest cost is 30000 or more; PATH is zeros(2,0)
      %     'noGoal'  empty path (the plug-in's 2-by-1 [0; 0]): a node stands
      %               at FROM but none at TO; PATH is zeros(2,0)
      %   A goal at [0 0] cannot be told from a missing goal, since both
      %   come back as [0; 0]; the wrapper then reports it as a path.
      %
      %   Example:
      %     [p, s] = g.shortestPath([1 1], [3 1]);
      %     if strcmp(s, 'found'), disp(p), end
      from = position(from, 'shortestPath', 'FROM');
      to = position(to, 'shortestPath', 'TO');
      path = call(g, 4, from(1), from(2), to(1), to(2), 0, 0);
      if isequal(size(path), [1 1])
        path = zeros(2, 0);
        status = 'noPath';
      elseif isequal(path, [0; 0]) && any(to ~= 0)
        path = zeros(2, 0);  % a real goal would stand in column 1
        status = 'noGoal';
      elseif isequal(path(:, end), from(:))
        status = 'found';
      else
        status = 'cut';
      end
    end

    function mergeNodes(g, keep, fold)
      % MERGENODES  Fold the node at FOLD into the node at KEEP.
      %   mergeNodes(G, KEEP, FOLD) gives the node at KEEP every neighbour of
      %   the node at FOLD and then removes FOLD with its edges. A new edge
      %   gets the straight-line distance of its ends, cut to a whole number;
      %   a neighbour KEEP already had keeps its old weight, and an edge
      %   between KEEP and FOLD disappears. KEEP keeps its position and value.
      %   No node at either position: nothing changes. KEEP == FOLD removes
      %   the node (see removeNode).
      %
      %   Example:
      %     g.mergeNodes([1 1], [3 1]);   % (1, 1) takes over (3, 1)'s edges
      keep = position(keep, 'mergeNodes', 'KEEP');
      fold = position(fold, 'mergeNodes', 'FOLD');
      call(g, 5, keep(1), keep(2), fold(1), fold(2), 0, 0);
    end

    function removeNode(g, p)
      % REMOVENODE  Remove the node at P and every edge at it.
      %   removeNode(G, P) is mergeNodes(G, P, P): the plug-in removes a node
      %   by merging it into itself. Where several nodes stand at P, the last
      %   made goes. No node at P: nothing changes.
      %
      %   Example:
      %     g.removeNode([2 1]);
      p = position(p, 'removeNode', 'P');
      call(g, 5, p(1), p(2), p(1), p(2), 0, 0);
    end

    function nodes = listNodes(g)
      % LISTNODES  Every node with its value, in the order they were made.
      %   NODES = listNodes(G) is 3-by-N: column c is [x; y; value] of the
      %   c-th node. At most G.MaxListed nodes (300, or 16666 in ombrik) are
      %   listed; the rest are left out. An empty graph gives zeros(3,0).
      %
      %   Zero ends the answer: every element from the first 0 after element 1
      %   on reads 0, so a node with value 0 hides the nodes after it.
      %
      %   Example:
      %     n = g.listNodes();
      %     plot(n(1, :), n(2, :), 'o');
      nodes = call(g, 6, 0, 0, 0, 0, 0, 0);
      if isequal(size(nodes), [1 1])
        nodes = zeros(3, 0);  % the plug-in's 1-by-1 zero: an empty graph
      end
    end

    function importGrid(g, x, y, values)
      % IMPORTGRID  Load the 500-by-500 grid of zelmot or ombrik.
      %   importGrid(G, X, Y, VALUES) clears the plug-in's grid and stores
      %   VALUES(k) in the cell (X(k), Y(k)); a later entry for a cell wins.
      %   X and Y hold whole numbers from 0 to 499, VALUES whole numbers;
      %   all three have the same number of elements (any shape). Empty
      %   vectors just clear the grid. The graph is not touched, and no
      %   command reads the grid back. Only zelmot and ombrik have a grid;
      %   elsewhere GraphPlugin:notAvailable.
      %
      %   Example:
      %     g.importGrid([0 3 499], [0 0 499], [5 -2 9]);
      require_command7(g, 'grid', 'importGrid');
      if nargin < 4
        error('GraphPlugin:badArgument', 'GraphPlugin.importGrid: X, Y and VALUES are needed');
      end
      x = whole_vector(x, 'importGrid', 'X', 0, 499);
      y = whole_vector(y, 'importGrid', 'Y', 0, 499);
      values = whole_vector(values, 'importGrid', 'VALUES', -2^31, 2^31 - 1);
      if numel(y) ~= numel(x) || numel(values) ~= numel(x)
        error('GraphPlugin:badArgument', ...
              'GraphPlugin.importGrid: X, Y and VALUES must have the same number of elements');
      end
      % The plug-in counts the columns of its first input: hand it rows.
      call(g, 7, reshape(x, 1, []), reshape(y, 1, []), reshape(values, 1, []), 0, 0, 0);
    end

    function refreshWeights(g)
      % REFRESHWEIGHTS  Set every edge weight to the length of its edge (main).
      %   refreshWeights(G) recomputes each weight as the straight-line
      %   distance between the positions of the edge's two nodes, cut to a
      %   whole number: after moveNode the weights match the new positions,
      %   and weights set by setWeight are replaced. Only the 64-bit main has
      %   it; elsewhere GraphPlugin:notAvailable.
      %
      %   Example:
      %     g = GraphPlugin('main');
      %     g.moveNode([4 5], [8 8]);
      %     g.refreshWeights();
      require_command7(g, 'refresh', 'refreshWeights');
      call(g, 7, 0, 0, 0, 0, 0, 0);
    end

    function reset(g)
      % RESET  Unload the plug-in, emptying its graph.
      %   reset(G) clears the plug-in from memory (like "clear zelmot"), which
      %   frees its graph; the next call loads it again with an empty graph.
      %   Every wrapper bound to the same plug-in sees the empty graph.
      %
      %   Example:
      %     g.reset();
      %     isempty(g.listNodes())        % true
      clear(g.Name);
    end
  end

  methods (Access = private)
    function r = call(g, code, ax, ay, bx, by, w, val)
      % The plug-in's own argument order: ax, ay, bx, by, w, code, val.
      if nargout > 0
        r = feval(g.Name, ax, ay, bx, by, w, code, val);
      else
        feval(g.Name, ax, ay, bx, by, w, code, val);
      end
    end

    function require_command7(g, kind, method)
      if ~strcmp(g.Command7, kind)
        error('GraphPlugin:notAvailable', ...
              'GraphPlugin.%s: %s has no %s command (its code 7: %s)', ...
              method, g.Name, kind, g.Command7);
      end
    end
  end
end

function p = position(p, method, what)
  % A position is [x y], two whole numbers in the int32 range.
  if ~isnumeric(p) || ~isreal(p) || numel(p) ~= 2 || ~all(isfinite(p(:))) ...
      || any(p(:) ~= fix(p(:))) || any(double(p(:)) < -2^31) || any(double(p(:)) > 2^31 - 1)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be a position [x y], two whole numbers in the int32 range', ...
          method, what);
  end
  p = double(reshape(p, 1, 2));
end

function v = whole(v, method, what)
  % A value or weight: one whole number in the int32 range.
  if ~isnumeric(v) || ~isreal(v) || ~isscalar(v) || ~isfinite(v) || v ~= fix(v) ...
      || double(v) < -2^31 || double(v) > 2^31 - 1
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be one whole number from -2147483648 to 2147483647', ...
          method, what);
  end
  v = double(v);
end

function v = whole_vector(v, method, what, lo, hi)
  if ~isnumeric(v) || ~isreal(v) || (~isempty(v) && ~isvector(v)) || ~all(isfinite(v(:))) ...
      || any(v(:) ~= fix(v(:))) || any(double(v(:)) < lo) || any(double(v(:)) > hi)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be a vector of whole numbers from %d to %d', ...
          method, what, lo, hi);
  end
  v = double(v);
end

function yes = is_64bit_host()
  [~, maxsize] = computer();
  yes = maxsize > 2^32;
end
