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
%     addNode        - add a node at [x y] with a value, or one per row
%     addEdge        - join two nodes with a weighted edge, or many pairs
%     neighbours     - positions of a node's neighbours, 2-by-k, or of each row
%     moveNode       - move every node at one position to another
%     setWeight      - change the weight of an edge, or of many
%     shortestPath   - cheapest path between two nodes, 2-by-m, goal first
%     mergeNodes     - fold one node into another
%     removeNode     - remove a node and its edges
%     listNodes      - every node with its value, 3-by-N
%     importGrid     - load the 500-by-500 grid (zelmot and ombrik)
%     refreshWeights - set every weight to the length of its edge (main)
%     reset          - unload the plug-in, emptying its graph
%     version        - GraphPlugin.version(): the toolbox's version number
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
%   Vector forms: addNode, addEdge, setWeight and neighbours also take an
%   n-by-2 matrix of positions, one row per node or edge, with one value or
%   weight for all rows or one per row. One such call costs about what a
%   loop of direct plug-in calls costs; a loop of method calls costs several
%   times more. A 1-by-2 matrix is one position.
%
%   A bad argument raises GraphPlugin:badArgument and changes nothing. The
%   vector forms check every row before the first call and name the first
%   bad row.
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
%     g.reset();                       % the same graph, from rows
%     g.addNode([1 1; 2 1; 3 1], [10 20 30]);
%     g.addEdge([1 1; 2 1], [2 1; 3 1], 4);
%
%   See also build_plugins, Contents.

  properties (SetAccess = private)
    Name = 'zelmot';     % the plug-in: 'zelmot', 'ombrik' or 'main'
    MaxPathPoints = 41;  % most (x, y) points shortestPath returns
    MaxListed = 300;     % most nodes listNodes returns
    Command7 = 'grid';   % 'grid', 'refresh' or 'none'
  end

  % The quick path of the one-position methods. A test x == int32(x) tells that the numbers are
  % whole and within the int32 range (NaN and Inf fail), and the plug-in checks the types: it
  % refuses anything but real, non-sparse doubles before it changes anything. What the test or
  % the plug-in refuses lands in the catch, where the full check (position, whole) names the
  % bad argument in GraphPlugin:badArgument, or turns an accepted type (int32, single, ...)
  % into doubles and calls again; a plug-in error on good doubles (out of memory) comes back
  % from that second call. In Octave a builtin call costs about 2 us and a call of an
  % M-function about 5 us, so the quick path is one condition and calls none of our functions.
  methods
    function g = GraphPlugin(name)
      % GRAPHPLUGIN  Bind a wrapper to the plug-in NAME.
      %   G = GraphPlugin(NAME) with NAME 'zelmot', 'ombrik' or 'main'. The
      %   plug-in file, NAME.<mexext()> (NAME.mex in Octave, NAME.mexw64 or
      %   NAME.mexa64 in MATLAB), must be on the path; if it is not,
      %   GraphPlugin:notBuilt names the file and where it is installed.
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
              ['GraphPlugin: %s.%s, the plug-in %s for this host, is not on the path. ' ...
               'The Octave package and the Windows bundle put it beside GraphPlugin.m: ' ...
               'pkg load graphplugin, or addpath the unzipped folder. From source: ' ...
               'build_plugins, then addpath the folder it built into.'], name, mexext(), name);
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
      % ADDNODE  Add a node at position P = [x y] with a value, or one per row of P.
      %   addNode(G, P, VALUE) adds a node at P holding VALUE, a whole number.
      %   addNode(G, P) gives it the value 1. When a node already stands at
      %   P, nothing changes: that node keeps its value.
      %
      %   addNode(G, P, VALUES) with P an n-by-2 matrix adds the nodes at the
      %   rows of P in order, as n calls would. VALUES is one whole number for
      %   all of them or one per row. Every row is checked first: a bad one
      %   raises GraphPlugin:badArgument naming the row, and no node is added.
      %
      %   Nonzero values and coordinates are the ones listNodes reports whole.
      %
      %   Example:
      %     g.addNode([3 4], 7);
      %     g.addNode([3 4], 9);          % no change: (3, 4) keeps 7
      %     g.addNode([1 1; 2 1; 3 1], [10 20 30]);
      %     [x, y] = meshgrid(1:5, 1:5);
      %     g.addNode([x(:) y(:)], 1);    % a 5-by-5 grid of nodes, all 1
      if nargin < 3
        value = 1;
      end
      if numel(p) ~= 2
        add_rows(g, p, value);
        return
      end
      try
        if numel(value) == 1 && value == int32(value) && all(p == int32(p))
          feval(g.Name, p(1), p(2), 0, 0, 0, 0, value);
          return
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
      p = position(p, 'addNode', 'P');
      value = whole(value, 'addNode', 'VALUE');
      call(g, 0, p(1), p(2), 0, 0, 0, value);
    end

    function addEdge(g, a, b, weight)
      % ADDEDGE  Join the nodes at A and B with an undirected edge, or many pairs.
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
      %   addEdge(G, A, B, WEIGHTS) with A and B n-by-2 matrices joins row k
      %   of A to row k of B, in order, as n calls would. WEIGHTS is one whole
      %   number for all edges or one per row. Every row is checked first: a
      %   bad one raises GraphPlugin:badArgument naming the row, and nothing
      %   changes.
      %
      %   Example:
      %     g.addNode([1 1], 5);
      %     g.addNode([4 5], 6);
      %     g.addEdge([1 1], [4 5], 3);
      %     g.addNode([5 1; 6 1; 7 1], 1);
      %     g.addEdge([5 1; 6 1], [6 1; 7 1], [4 7]);   % a chain of two edges
      if numel(a) ~= 2 || numel(b) ~= 2
        join_rows(g, 'addEdge', 0, a, b, weight);
        return
      end
      try
        if numel(weight) == 1 && weight == int32(weight) ...
            && all(a == int32(a)) && all(b == int32(b))
          bx = b(1);
          if bx == 0
            bx = 0.5;  % input 3 doubles as the edge switch; 0.5 turns it on and truncates to 0
          end
          feval(g.Name, a(1), a(2), bx, b(2), weight, 0, 1);
          return
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
      a = position(a, 'addEdge', 'A');
      b = position(b, 'addEdge', 'B');
      weight = whole(weight, 'addEdge', 'WEIGHT');
      bx = b(1);
      if bx == 0
        bx = 0.5;
      end
      call(g, 0, a(1), a(2), bx, b(2), weight, 1);
    end

    function r = neighbours(g, p)
      % NEIGHBOURS  Positions of the neighbours of the node at P, or of each row of P.
      %   R = neighbours(G, P) is 2-by-k: column j is [x; y] of the j-th
      %   neighbour, in the order the edges were made. A node joined to itself
      %   lists itself twice. No node at P, or a node without edges: zeros(2,0).
      %   Where several nodes stand at P, the first made answers.
      %
      %   R = neighbours(G, P) with P an n-by-2 matrix is an n-by-1 cell array:
      %   R{k} is the answer for row k of P. Every row is checked before the
      %   first question. A 1-by-2 P is one position and gives the matrix.
      %
      %   Zero ends the answer: every element from the first 0 after element 1
      %   on reads 0.
      %
      %   Example:
      %     g.neighbours([1 1])           % [4; 5] after the addEdge example
      %     r = g.neighbours([1 1; 4 5]); % r{1} is [4; 5], r{2} is [1; 1]
      if numel(p) ~= 2
        r = neighbours_of_rows(g, p);
        return
      end
      try
        if all(p == int32(p))
          r = feval(g.Name, p(1), p(2), 0, 0, 0, 1, 0);
          if numel(r) == 1
            r = zeros(2, 0);  % the plug-in's 1-by-1 zero: nothing to report
          end
          return
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
      p = position(p, 'neighbours', 'P');
      r = call(g, 1, p(1), p(2), 0, 0, 0, 0);
      if numel(r) == 1
        r = zeros(2, 0);
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
      try
        if numel(from) == 2 && numel(to) == 2 ...
            && all(from == int32(from)) && all(to == int32(to))
          feval(g.Name, from(1), from(2), to(1), to(2), 0, 2, 0);
          return
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
      from = position(from, 'moveNode', 'FROM');
      to = position(to, 'moveNode', 'TO');
      call(g, 2, from(1), from(2), to(1), to(2), 0, 0);
    end

    function setWeight(g, a, b, weight)
      % SETWEIGHT  Change the weight of the edge between the nodes at A and B, or of many.
      %   setWeight(G, A, B, WEIGHT) sets both directions of the edge A-B to
      %   WEIGHT, a whole number. Without such an edge nothing changes.
      %
      %   setWeight(G, A, B, WEIGHTS) with A and B n-by-2 matrices sets the
      %   edge between row k of A and row k of B, in order, as n calls would.
      %   WEIGHTS is one whole number for all edges or one per row. Every row
      %   is checked first: a bad one raises GraphPlugin:badArgument naming
      %   the row, and nothing changes.
      %
      %   Example:
      %     g.setWeight([1 1], [7 9], 12);
      %     g.setWeight([5 1; 6 1], [6 1; 7 1], 1);   % both edges of the chain
      if numel(a) ~= 2 || numel(b) ~= 2
        join_rows(g, 'setWeight', 3, a, b, weight);
        return
      end
      try
        if numel(weight) == 1 && weight == int32(weight) ...
            && all(a == int32(a)) && all(b == int32(b))
          feval(g.Name, a(1), a(2), b(1), b(2), weight, 3, 0);
          return
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
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
      asked = false;
      try
        if numel(from) == 2 && numel(to) == 2 ...
            && all(from == int32(from)) && all(to == int32(to))
          path = feval(g.Name, from(1), from(2), to(1), to(2), 0, 4, 0);
          asked = true;
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
      if ~asked
        from = position(from, 'shortestPath', 'FROM');
        to = position(to, 'shortestPath', 'TO');
        path = call(g, 4, from(1), from(2), to(1), to(2), 0, 0);
      end
      if numel(path) == 1
        path = zeros(2, 0);
        status = 'noPath';
      elseif numel(path) == 2 && ~any(path) && any(to ~= 0)
        path = zeros(2, 0);  % a real goal would stand in column 1
        status = 'noGoal';
      elseif path(1, end) == from(1) && path(2, end) == from(2)
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
      try
        if numel(keep) == 2 && numel(fold) == 2 ...
            && all(keep == int32(keep)) && all(fold == int32(fold))
          feval(g.Name, keep(1), keep(2), fold(1), fold(2), 0, 5, 0);
          return
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
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
      try
        if numel(p) == 2 && all(p == int32(p))
          feval(g.Name, p(1), p(2), p(1), p(2), 0, 5, 0);
          return
        end
      catch  % refused by the test or the plug-in: see the quick path above
      end
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
      nodes = feval(g.Name, 0, 0, 0, 0, 0, 6, 0);
      if numel(nodes) == 1
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

  methods (Static)
    function v = version()
      % VERSION  The version number of this toolbox and its plug-ins, as text.
      %   V = GraphPlugin.version() is, for example, '1.0.0': the number on
      %   line 2 of Contents.m beside this file, the line MATLAB's ver reads,
      %   and the one the Octave package and the Windows bundle are named by.
      %
      %   Example:
      %     GraphPlugin.version()        % '1.0.0'
      text = fileread(fullfile(fileparts(mfilename('fullpath')), 'Contents.m'));
      v = regexp(text, '^[^\n]*\n%\s*Version\s+(\d+\.\d+\.\d+)\s', 'tokens', 'once');
      if isempty(v)
        error('GraphPlugin:noVersion', ...
              'GraphPlugin.version: line 2 of Contents.m is not ''%% Version <x.y.z> <date>''');
      end
      v = v{1};
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
  p = full(double(reshape(p, 1, 2)));
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

function P = position_rows(P, method, what)
  % Positions as rows of an n-by-2 matrix, each two whole numbers in the int32 range; doubles.
  if ~isnumeric(P) || ~isreal(P) || ndims(P) ~= 2 || size(P, 2) ~= 2
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be a position [x y] or an n-by-2 matrix of positions', ...
          method, what);
  end
  P = full(double(P));
  bad = find(~all(P == int32(P), 2), 1);  % whole and in range, as in the quick path
  if ~isempty(bad)
    error('GraphPlugin:badArgument', ['GraphPlugin.%s: row %d of %s is not a position: ' ...
          'two whole numbers in the int32 range'], method, bad, what);
  end
end

function v = whole_rows(v, n, method, what)
  % One whole number in the int32 range for all n rows, or one per row; an n-by-1 double.
  if ~isnumeric(v) || ~isreal(v) || (numel(v) ~= 1 && numel(v) ~= n)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be one whole number or one per row (%d rows)', method, what, n);
  end
  v = full(double(v(:)));
  bad = find(v ~= int32(v), 1);
  if ~isempty(bad)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s(%d) must be a whole number from -2147483648 to 2147483647', ...
          method, what, bad);
  end
  if numel(v) == 1
    v = repmat(v, n, 1);
  end
end

function add_rows(g, P, values)
  % addNode for the rows of P: every row checked before the first call.
  P = position_rows(P, 'addNode', 'P');
  values = whole_rows(values, size(P, 1), 'addNode', 'VALUES');
  x = P(:, 1);
  y = P(:, 2);
  plugin = str2func(g.Name);  % a handle calls faster than feval with the name
  for k = 1:numel(x)
    plugin(x(k), y(k), 0, 0, 0, 0, values(k));
  end
end

function join_rows(g, method, code, A, B, w)
  % addEdge (code 0) or setWeight (code 3) for the row pairs of A and B: every row checked
  % before the first call.
  A = position_rows(A, method, 'A');
  B = position_rows(B, method, 'B');
  n = size(A, 1);
  if size(B, 1) ~= n
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: A and B must have as many rows (%d and %d)', method, n, size(B, 1));
  end
  w = whole_rows(w, n, method, 'WEIGHT');
  ax = A(:, 1);
  ay = A(:, 2);
  bx = B(:, 1);
  by = B(:, 2);
  value = 0;
  if code == 0
    bx(bx == 0) = 0.5;  % the edge switch, as in addEdge
    value = 1;          % of a node made at A
  end
  plugin = str2func(g.Name);
  for k = 1:n
    plugin(ax(k), ay(k), bx(k), by(k), w(k), code, value);
  end
end

function r = neighbours_of_rows(g, P)
  % neighbours for the rows of P: an n-by-1 cell array of 2-by-k answers.
  P = position_rows(P, 'neighbours', 'P');
  x = P(:, 1);
  y = P(:, 2);
  r = cell(numel(x), 1);
  plugin = str2func(g.Name);
  for k = 1:numel(x)
    answer = plugin(x(k), y(k), 0, 0, 0, 1, 0);
    if numel(answer) == 1
      answer = zeros(2, 0);  % the plug-in's 1-by-1 zero: nothing to report
    end
    r{k} = answer;
  end
end

function yes = is_64bit_host()
  [~, maxsize] = computer();
  yes = maxsize > 2^32;
end

%% Octave's built-in tests (test GraphPlugin); MATLAB reads them as comments. The ones that call
%% a plug-in run where zelmot is on the path, and are counted as skipped elsewhere.

%!error id=GraphPlugin:unknownPlugin GraphPlugin ("zelmot2")
%!error id=GraphPlugin:unknownPlugin GraphPlugin (3)

%!testif ; exist ("zelmot") == 3
%! ## A refused argument raises badArgument and changes nothing, rows included.
%! g = GraphPlugin ("zelmot");
%! g.reset ();
%! g.addNode ([1 1], 5);
%! bad = {@() g.addNode ([1 2 3], 1), @() g.addNode ([2 2], 0.5), @() g.addNode ({2, 2}), ...
%!        @() g.addEdge ([1 1], [2 NaN], 1), @() g.setWeight ([1 1], [2 2], 2^31), ...
%!        @() g.addNode ([2 2; 3 3], [1 2 3]), @() g.addEdge ([2 2; 3 3], [1 1], 1), ...
%!        @() g.neighbours ("ab"), @() g.shortestPath ([1 1], [2 2 2])};
%! for k = 1:numel (bad)
%!   id = "";
%!   try
%!     bad{k} ();
%!   catch err
%!     id = err.identifier;
%!   end_try_catch
%!   assert ({k, id}, {k, "GraphPlugin:badArgument"});
%! endfor
%! assert (g.listNodes (), [1; 1; 5]);
%! g.reset ();

%!testif ; exist ("zelmot") == 3
%! ## Nothing to report is empty and of its shape; the plug-in's own 1-by-1 zero is left alone.
%! g = GraphPlugin ("zelmot");
%! g.reset ();
%! assert (g.listNodes (), zeros (3, 0));
%! assert (g.neighbours ([1 1]), zeros (2, 0));
%! assert (g.neighbours ([1 1; 2 2]), {zeros(2, 0); zeros(2, 0)});
%! g.addNode ([1 1], 5);
%! assert (g.neighbours ([1 1]), zeros (2, 0));
%! assert (zelmot (1, 1, 0, 0, 0, 1, 0), 0);
%! g.reset ();

%!testif ; exist ("zelmot") == 3
%! ## Each status with its path, on a chain of 45 nodes: longer than zelmot's 41 points.
%! g = GraphPlugin ("zelmot");
%! g.reset ();
%! x = (1:45)';
%! g.addNode ([x, ones(45, 1)], 7);
%! g.addEdge ([x(1:end-1), ones(44, 1)], [x(2:end), ones(44, 1)], 1);
%! g.addNode ([9 9], 7);
%! [p, s] = g.shortestPath ([1 1], [3 1]);
%! assert ({p, s}, {[3 2 1; 1 1 1], "found"});
%! [p, s] = g.shortestPath ([2 1], [2 1]);
%! assert ({p, s}, {[2; 1], "found"});
%! [p, s] = g.shortestPath ([1 1], [45 1]);
%! assert ({p, s}, {[45:-1:5; ones(1, 41)], "cut"});
%! [p, s] = g.shortestPath ([1 1], [9 9]);
%! assert ({p, s}, {zeros(2, 0), "noPath"});
%! [p, s] = g.shortestPath ([1 1], [8 8]);
%! assert ({p, s}, {zeros(2, 0), "noGoal"});
%! [p, s] = g.shortestPath ([8 8], [1 1]);
%! assert ({p, s}, {zeros(2, 0), "noPath"});
%! g.reset ();

%!test
%! ## The version line, line 2 of Contents.m, in the form MATLAB's ver reads, and version().
%! here = fileparts (which ("GraphPlugin"));
%! lines = strsplit (fileread (fullfile (here, "Contents.m")), "\n");
%! form = '^% Version (\d+\.\d+\.\d+) (\d\d-[A-Z][a-z][a-z]-\d{4})\s*$';
%! v = regexp (lines{2}, form, "tokens", "once");
%! assert (numel (v), 2);
%! assert (datestr (datenum (v{2}, "dd-mmm-yyyy"), "dd-mmm-yyyy"), v{2});
%! assert (GraphPlugin.version (), v{1});

%!test
%! ## functionSignatures.json parses, and names every public method with its own arguments, and
%! ## nothing else but the plug-ins with their seven inputs.
%! here = fileparts (which ("GraphPlugin"));
%! sig = jsondecode (fileread (fullfile (here, "functionSignatures.json")), "makeValidName", false);
%! code = fileread (fullfile (here, "GraphPlugin.m"));
%! heads = regexp (code, '\n\s*function\s+(?:\[?[\w, ]*\]?\s*=\s*)?(\w+)\(([^)]*)\)', "tokens");
%! args = containers.Map ();
%! for k = 1:numel (heads)
%!   args(heads{k}{1}) = strtrim (strsplit (heads{k}{2}, ","));
%! endfor
%! listed = meta.class.fromName ("GraphPlugin").MethodList;
%! expected = {"GraphPlugin"; "zelmot"; "ombrik"; "main"};  # the constructor, the plug-ins
%! for k = 1:numel (listed)
%!   if (strcmp (listed{k}.Access, "public"))
%!     expected{end+1, 1} = ["GraphPlugin." listed{k}.Name];
%!   endif
%! endfor
%! seven = {"ax", "ay", "bx", "by", "w", "code", "val"};
%! names = setdiff (fieldnames (sig), "_schemaVersion");
%! assert (sort (names), sort (expected));
%! for k = 1:numel (names)
%!   inputs = sig.(names{k}).inputs;  # a struct array, or a cell where their fields differ
%!   if (isstruct (inputs))
%!     inputs = num2cell (inputs);
%!   endif
%!   given = cell (1, 0);
%!   if (! isempty (inputs))
%!     given = cellfun (@(x) x.name, inputs(:)', "uniformoutput", false);
%!   endif
%!   method = regexprep (names{k}, '^GraphPlugin\.', '');
%!   if (any (strcmp (names{k}, {"zelmot", "ombrik", "main"})))
%!     assert ({names{k}, given}, {names{k}, seven});
%!   else
%!     want = args(method);
%!     want = reshape (want(! cellfun ("isempty", want)), 1, []);
%!     assert ({names{k}, given}, {names{k}, want});
%!   endif
%! endfor
