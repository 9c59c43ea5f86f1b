classdef GraphPlugin < handle
% GRAPHPLUGIN  A graph of its own, or named methods for one graph plug-in.
%   G = GraphPlugin() makes a new, empty graph that belongs to G alone: any
%   number of them live side by side, kept by the toolbox's engine. G is a
%   handle: H = G shares the graph, copy(G) makes an independent one, and
%   delete(G), or the last reference gone, frees it.
%   G = GraphPlugin(NAME) binds G to the plug-in NAME ('zelmot', 'ombrik' or
%   'main'), which must be on the path, as GraphPlugin 2.x did.
%
%   Nodes are named by their position [x y], two whole numbers. Each node
%   carries a whole-number value; edges are undirected, with whole-number
%   weights of 0 or more. Positions go in and come out as rows: an n-by-2
%   matrix [x y] holds n positions, so an answer can be passed back.
%
%   A graph of its own has no bounds: every node, neighbour and path comes
%   back whole, paths with their cost, and 0 is a position or a value like
%   any other.
%
%   Methods (help GraphPlugin.<method> for each):
%     addNode        - add a node at [x y] with a value, or one per row
%     addEdge        - join two nodes with a weighted edge, or many pairs
%     neighbors      - positions of a node's neighbours, k-by-2, or of each row
%     neighbours     - the same as neighbors
%     moveNode       - move every node at one position to another
%     setWeight      - change the weight of an edge, or of many
%     shortestPath   - cheapest path from one node to another, with its cost
%     mergeNodes     - fold one node into another
%     removeNode     - remove a node and its edges
%     listNodes      - every node with its value, N-by-3 [x y value]
%     importGrid     - load the 500-by-500 grid (zelmot and ombrik)
%     refreshWeights - set every weight to the length of its edge
%     reset          - empty the graph
%     copy           - an independent copy of a graph of its own
%     delete         - free a graph of its own
%     version        - GraphPlugin.version(): the toolbox's version number
%   On a graph of its own only:
%     numNodes       - the number of nodes
%     numEdges       - the number of edges
%     findNode       - whether a node stands at each row, n-by-1 logical
%     findEdge       - whether each row pair is joined, n-by-1 logical
%     edges          - every edge once, e-by-5 [ax ay bx by weight]
%     degree         - the number of edge ends at each node
%     removeEdge     - remove the edge between two nodes, or many
%     nearest        - the nodes within a cost of one node, cheapest first
%     plot           - draw the edges, and a path over them (plug-ins too)
%
%   Properties (read-only):
%     Name           - the plug-in: 'zelmot', 'ombrik' or 'main'; '' for a
%                      graph of its own
%     Store          - 'indexed' or 'reference': the build that keeps it
%     MaxPathPoints  - most points shortestPath returns: 41, or 401 in
%                      ombrik; Inf on a graph of its own
%     MaxListed      - most nodes listNodes returns: 300, or 16666 in
%                      ombrik; Inf on a graph of its own
%     CostBound      - 30000 in the plug-ins: a path that costs this much or
%                      more is none; Inf on a graph of its own
%     Command7       - 'grid', 'refresh' or 'none': the plug-in's code 7;
%                      'refresh' on a graph of its own
%
%   The plug-ins: each keeps one graph while it is loaded. Every GraphPlugin
%   bound to the same NAME, and every direct call NAME(ax, ay, bx, by, w,
%   code, val), works on that one graph; the three plug-ins share nothing.
%   G.reset() unloads the plug-in, and the next call starts from an empty
%   graph. What the plug-in's answers cannot carry is refused or flagged,
%   never passed on as a wrong answer. A 0 ends the plug-in's listings and
%   lists of neighbours, and an x of 0 its paths, so a position with a 0
%   or a value 0 raises GraphPlugin:zeroRule; an edge to a position without
%   a node, which the plug-in would drop, raises GraphPlugin:noNode. A
%   listing that reached MaxListed, a path cut at MaxPathPoints and a
%   missing path whose ends may be joined at the cost bound or above each
%   give a warning with an identifier (GraphPlugin:listCapped, :pathCut,
%   :costBound; turn one off with warning('off', ID)) and a status output.
%
%   Everywhere, a negative weight raises GraphPlugin:negativeWeight (the
%   search needs weights of 0 or more), and any other bad argument, a
%   missing or an extra one included, GraphPlugin:badArgument. Every
%   refusal changes nothing; the vector forms check every row before the
%   first change and name the first bad row.
%
%   Vector forms: addNode, addEdge, setWeight and neighbors also take an
%   n-by-2 matrix of positions, one row per node or edge, with one value or
%   weight for all rows or one per row; on a graph of its own shortestPath,
%   removeNode, findNode, findEdge, degree and removeEdge too. One such call
%   costs about what a loop of direct plug-in calls costs, on a graph of its
%   own one engine call; a loop of method calls costs several times more.
%   A 1-by-2 matrix is one position.
%
%   Example:
%     g = GraphPlugin();
%     g.addNode([1 1; 2 1; 3 1], [10 20 30]);
%     g.addEdge([1 1; 2 1], [2 1; 3 1], 4);
%     g.neighbors([2 1])               % [1 1; 3 1]
%     [p, d] = g.shortestPath([1 1], [3 1])   % [1 1; 2 1; 3 1], 8
%     g.listNodes()                    % [1 1 10; 2 1 20; 3 1 30]
%     g.plot(p);                       % the edges, the path over them
%
%   See also Contents.

  properties (SetAccess = private)
    Name = '';             % the plug-in: 'zelmot', 'ombrik' or 'main'; '' for a graph of its own
    MaxPathPoints = Inf;   % most [x y] points shortestPath returns
    MaxListed = Inf;       % most nodes listNodes returns
    CostBound = Inf;       % a path that costs this much or more counts as none
    Command7 = 'refresh';  % 'grid', 'refresh' or 'none'
  end

  properties (Dependent)
    Store                % 'indexed' or 'reference': which build keeps the graph
  end

  % One property names what a method calls, so that a quick path reads one: in Octave a
  % property read costs about what a call of an M-function does.
  properties (SetAccess = private, Hidden)
    Graph = 0;           % the engine's handle of a graph of its own, or the plug-in's name
  end

  % The quick path of the one-position methods. On a graph of its own, the engine checks every
  % argument itself and refuses, changing nothing, what it cannot take. On a plug-in, a test
  % x == int32(x) tells that the numbers are whole and within the int32 range (NaN and Inf
  % fail), a plain truth test that none is 0, and the plug-in checks the types: it refuses
  % anything but real, non-sparse doubles before it changes anything. What the tests, the
  % engine or the plug-in refuse, a missing argument included (its name is undefined), lands in
  % the catch, where the full check names the method, the bad argument and the rule, or turns
  % an accepted type (int32, single, a column [x; y], ...) into what the call takes and calls
  % again; an error on good arguments (out of memory, a freed graph) comes back from that second
  % call. In Octave a builtin call costs about 1 to 2 us and a call of an M-function about 5
  % us, so the quick path is one condition and calls none of our functions. varargin takes
  % extra arguments, which Octave would otherwise refuse with its own error before the method
  % runs.
  methods
    function g = GraphPlugin(name, varargin)
      % GRAPHPLUGIN  A new, empty graph of its own, or a binding to the plug-in NAME.
      %   G = GraphPlugin() makes a new, empty graph, kept by the engine
      %   graphplugin_engine.<mexext()> (in the folder private/ beside
      %   GraphPlugin.m in the package and the bundle). G is a handle: H = G
      %   shares the graph, copy(G) makes an independent one, and delete(G),
      %   or clearing the last variable that holds it, frees it.
      %   G = GraphPlugin(NAME) with NAME 'zelmot', 'ombrik' or 'main' binds G
      %   to that plug-in's one graph.
      %   The file, graphplugin_engine.<mexext()> or NAME.<mexext()> (.mex in
      %   Octave, .mexw64 or .mexa64 in MATLAB), must be on the path; if it
      %   is not, GraphPlugin:notBuilt names the file and where it is
      %   installed.
      %
      %   Example:
      %     g = GraphPlugin();
      %     g.numNodes()                 % 0
      %     z = GraphPlugin('zelmot');
      %     z.MaxPathPoints              % 41
      if nargin > 1
        error('GraphPlugin:badArgument', ...
              'GraphPlugin: one argument at most, the plug-in''s name; got %d', nargin);
      end
      if nargin < 1
        try
          g.Graph = graphplugin_engine(1);
        catch err
          if any(strcmp(err.identifier, {'Octave:undefined-function', 'MATLAB:UndefinedFunction'}))
            not_built('graphplugin_engine', 'the engine of GraphPlugin''s own graphs');
          end
          rethrow(err);
        end
        return
      end
      names = {'zelmot', 'ombrik', 'main'};
      if ~ischar(name) || ~any(strcmp(name, names))
        error('GraphPlugin:unknownPlugin', ...
              'GraphPlugin: the plug-in must be ''zelmot'', ''ombrik'' or ''main''');
      end
      if exist(name, 'file') ~= 3  % 3: a MEX file on the path
        not_built(name, ['the plug-in ' name]);
      end
      g.Name = name;
      g.Graph = name;
      g.CostBound = 30000;
      g.Command7 = 'grid';
      if strcmp(name, 'ombrik')
        g.MaxPathPoints = 401;
        g.MaxListed = 16666;
      else
        g.MaxPathPoints = 41;
        g.MaxListed = 300;
      end
      if strcmp(name, 'main')
        if is_64bit_host()
          g.Command7 = 'refresh';  % the 32-bit main has no command 7 at all
        else
          g.Command7 = 'none';
        end
      end
    end

    function delete(g, varargin)
      % DELETE  Free a graph of its own.
      %   delete(G) frees G's graph at once; clearing the last variable that
      %   holds G does the same. A later call on G, or on a variable that
      %   shared it, raises GraphPlugin:noGraph. On a plug-in it does
      %   nothing: reset(G) empties the plug-in's graph.
      %
      %   Example:
      %     g = GraphPlugin();
      %     delete(g);
      h = g.Graph;
      if ~ischar(h)
        try
          graphplugin_engine(2, h);  % answers 0, changing nothing, for a graph already freed
        catch  % the engine is gone, and its graphs with it
        end
      end
    end

    function c = copy(g, varargin)
      % COPY  An independent copy of a graph of its own.
      %   C = copy(G) is a new graph with G's nodes, values, edges and
      %   weights, in the same order; a change to one leaves the other as it
      %   is (H = G, by contrast, shares the graph). Bound to a plug-in, C is
      %   bound to the same plug-in and its one graph, which no copy can
      %   double.
      %
      %   Example:
      %     before = copy(g);
      %     g.removeNode([1 1]);
      %     before.numNodes() - g.numNodes()   % 1
      arguments_count(nargin, 1, 1, 'copy', 'copy(G)');
      if ischar(g.Graph)
        c = GraphPlugin(g.Name);
        return
      end
      c = GraphPlugin();
      h = engine('copy', 3, g.Graph);
      graphplugin_engine(2, c.Graph);  % the empty graph that the copy's replaces
      c.Graph = h;
    end

    function s = get.Store(g)
      % The engine is built from the indexed store; of the plug-ins, only the indexed build
      % holds the index's code, whose symbols the file keeps.
      s = 'indexed';
      if ~ischar(g.Graph)
        return
      end
      file = which(g.Name);
      if isempty(file) || isempty(strfind(fileread(file), 'index_first'))
        s = 'reference';
      end
    end

    function disp(g, varargin)
      % DISP  Show the graph: its counts, or the plug-in, its store and its bounds.
      %   disp(G) prints, for a graph of its own, its numbers of nodes and
      %   edges; for a plug-in, what G is bound to and the bounds of its
      %   answers.
      %
      %   Example:
      %     disp(GraphPlugin())
      %     disp(GraphPlugin('zelmot'))
      arguments_count(nargin, 1, 1, 'disp', 'disp(G)');
      if ~ischar(g.Graph)
        try
          [n, e] = graphplugin_engine(5, g.Graph);
        catch err
          fprintf('  GraphPlugin graph of its own, not available: %s\n', err.message);
          return
        end
        fprintf('  GraphPlugin graph of its own: %d nodes, %d edges\n', n, e);
        return
      end
      kinds = struct('grid', 'imports the 500-by-500 grid (importGrid)', ...
                     'refresh', 'sets every weight to its edge''s length (refreshWeights)', ...
                     'none', 'nothing');
      fprintf('  GraphPlugin bound to %s, the %s store (%s)\n', g.Name, g.Store, which(g.Name));
      fprintf('    MaxPathPoints: %5d  points of a path at most (the ones nearest its end)\n', ...
              g.MaxPathPoints);
      fprintf('    MaxListed:     %5d  nodes listed at most (the first made)\n', g.MaxListed);
      fprintf('    CostBound:     %5d  a path that costs this much or more is none\n', ...
              g.CostBound);
      fprintf('    Command7:  %9s  code 7 %s\n', g.Command7, kinds.(g.Command7));
    end

    function addNode(g, p, value, varargin)
      % ADDNODE  Add a node at position P = [x y] with a value, or one per row of P.
      %   addNode(G, P, VALUE) adds a node at P holding VALUE, a whole number;
      %   x and y are whole numbers (on a plug-in, all three nonzero).
      %   addNode(G, P) gives it the value 1. When a node already stands at
      %   P, nothing changes: that node keeps its value.
      %
      %   addNode(G, P, VALUES) with P an n-by-2 matrix adds the nodes at the
      %   rows of P in order, as n calls would. VALUES is one nonzero whole
      %   number for all of them or one per row. Every row is checked first:
      %   a bad one raises an error naming the row, and no node is added.
      %
      %   On a plug-in, a 0 in P or VALUE raises GraphPlugin:zeroRule: the
      %   plug-in's answers end at their first 0, so such a node would cut
      %   every listing; listNodes lists the first G.MaxListed nodes made.
      %
      %   Example:
      %     g.addNode([3 4], 7);
      %     g.addNode([3 4], 9);          % no change: (3, 4) keeps 7
      %     g.addNode([1 1; 2 1; 3 1], [10 20 30]);
      %     [x, y] = meshgrid(1:5, 1:5);
      %     g.addNode([x(:) y(:)], 1);    % a 5-by-5 grid of nodes, all 1
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 3
            graphplugin_engine(10, h, p, value);
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 2, 3, 'addNode', 'addNode(G, P, VALUE)');
        if nargin < 3
          value = 1;
        end
        p = own_rows(p, 'addNode', 'P');
        value = whole_rows(value, size(p, 1), 'addNode', 'VALUES', 'any');
        engine('addNode', 10, h, p, value);
        return
      end
      try
        if nargin == 3 && numel(p) == 2 && numel(value) == 1 && value == int32(value) ...
            && value && all(p == int32(p) & p)
          feval(h, p(1), p(2), 0, 0, 0, 0, value);
          return
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      arguments_count(nargin, 2, 3, 'addNode', 'addNode(G, P, VALUE)');
      if nargin < 3
        value = 1;
      end
      if numel(p) ~= 2
        add_rows(g, p, value);
        return
      end
      p = position(p, 'addNode', 'P');
      value = node_value(value, 'addNode', 'VALUE');
      call(g, 0, p(1), p(2), 0, 0, 0, value);
    end

    function addEdge(g, a, b, weight, varargin)
      % ADDEDGE  Join the nodes at A and B with an undirected edge, or many pairs.
      %   addEdge(G, A, B, WEIGHT) joins the nodes at positions A and B, both
      %   [x y], with weight WEIGHT, a whole number of 0 or more.
      %
      %   On a graph of its own, as MATLAB's addedge, a missing node at
      %   either end is made first, with value 1. When A and B are already
      %   joined the edge keeps its weight (use setWeight), and one warning
      %   GraphPlugin:edgeExists names the first such row. A == B joins a
      %   node to itself.
      %
      %   On a plug-in, nothing changes when A and B are already joined (the
      %   old weight stays: use setWeight). No node at B raises
      %   GraphPlugin:noNode and changes nothing, where the plug-in would
      %   make A and drop the edge. Like the plug-in's command 0, it first
      %   adds a node at A, with value
      %   1, when none stands there. A == B joins a node to itself, making it
      %   first if need be, except in the 64-bit main, which refuses such
      %   edges. Where several nodes stand at A or B, the last made there
      %   gets the edge.
      %
      %   addEdge(G, A, B, WEIGHTS) with A and B n-by-2 matrices joins row k
      %   of A to row k of B, in order, as n calls would. WEIGHTS is one whole
      %   number for all edges or one per row. Every row is checked first: a
      %   bad one raises an error naming the row, and nothing changes. The B
      %   of a row may be a node that an earlier row makes at its A.
      %
      %   A negative weight raises GraphPlugin:negativeWeight; on a plug-in,
      %   a 0 in A or B GraphPlugin:zeroRule. Asking whether a node stands at
      %   B (on a plug-in) costs one
      %   more plug-in call per edge, or one listing for many rows.
      %
      %   Example:
      %     g.addNode([1 1], 5);
      %     g.addNode([4 5], 6);
      %     g.addEdge([1 1], [4 5], 3);
      %     g.addNode([5 1; 6 1; 7 1], 1);
      %     g.addEdge([5 1; 6 1], [6 1; 7 1], [4 7]);   % a chain of two edges
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 4
            had = graphplugin_engine(11, h, a, b, weight);
            if any(had)
              edge_exists(a, b, had);
            end
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 4, 4, 'addEdge', 'addEdge(G, A, B, WEIGHT)');
        [a, b] = own_pairs(a, b, 'addEdge');
        weight = whole_rows(weight, size(a, 1), 'addEdge', 'WEIGHT', 'weight');
        had = engine('addEdge', 11, h, a, b, weight);
        if any(had)
          edge_exists(a, b, had);
        end
        return
      end
      try
        if nargin == 4 && numel(a) == 2 && numel(b) == 2 && numel(weight) == 1 ...
            && weight == int32(weight) && weight >= 0 ...
            && all(a == int32(a) & a) && all(b == int32(b) & b)
          % A path from B to B is B alone when a node stands there; A == B makes its own.
          alone = feval(h, b(1), b(2), b(1), b(2), 0, 4, 0);
          if alone(1) || (a(1) == b(1) && a(2) == b(2))
            feval(h, a(1), a(2), b(1), b(2), weight, 0, 1);
            return
          end
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      arguments_count(nargin, 4, 4, 'addEdge', 'addEdge(G, A, B, WEIGHT)');
      if numel(a) ~= 2 || numel(b) ~= 2
        join_rows(g, 'addEdge', 0, a, b, weight);
        return
      end
      a = position(a, 'addEdge', 'A');
      b = position(b, 'addEdge', 'B');
      weight = edge_weight(weight, 'addEdge', 'WEIGHT');
      if ~isequal(a, b) && ~has_node(g, b)
        error('GraphPlugin:noNode', ['GraphPlugin.addEdge: no node at B = [%d %d]; the ' ...
              'plug-in would make A and drop the edge: add B first (addNode)'], b(1), b(2));
      end
      call(g, 0, a(1), a(2), b(1), b(2), weight, 1);
    end

    function r = neighbors(g, p, varargin)
      % NEIGHBORS  Positions of the neighbours of the node at P, or of each row of P.
      %   R = neighbors(G, P) is k-by-2: row j is [x y] of the j-th neighbour,
      %   in the order the edges were made. A node joined to itself lists
      %   itself twice. No node at P, or a node without edges: zeros(0, 2).
      %   Where several nodes stand at P, the first made answers. There is
      %   no bound: every neighbour comes back.
      %
      %   R = neighbors(G, P) with P an n-by-2 matrix is an n-by-1 cell array:
      %   R{k} is the answer for row k of P. Every row is checked before the
      %   first question. A 1-by-2 P is one position and gives the matrix.
      %
      %   neighbours(G, P) is the same method.
      %
      %   Example:
      %     g.neighbors([1 1])            % [4 5] after the addEdge example
      %     r = g.neighbors([1 1; 4 5]);  % r{1} is [4 5], r{2} is [1 1]
      %     g.neighbors(g.neighbors([1 1]))   % an answer goes back in
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 2
            if numel(p) == 2
              r = graphplugin_engine(20, h, p);
            else
              [r, k] = graphplugin_engine(20, h, p);
              r = mat2cell(r, k, 2);
            end
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 2, 2, 'neighbors', 'neighbors(G, P)');
        one = numel(p) == 2;
        [r, k] = engine('neighbors', 20, h, own_rows(p, 'neighbors', 'P'));
        if ~one
          r = mat2cell(r, k, 2);
        end
        return
      end
      try
        if nargin == 2 && numel(p) == 2 && all(p == int32(p) & p)
          r = feval(h, p(1), p(2), 0, 0, 0, 1, 0);
          if r(end)
            r = r.';
          elseif numel(r) == 1
            r = zeros(0, 2);  % the plug-in's 1-by-1 zero: nothing to report
          else
            r = before_zero(r, 'neighbors').';
          end
          return
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      arguments_count(nargin, 2, 2, 'neighbors', 'neighbors(G, P)');
      if numel(p) ~= 2
        r = neighbours_of_rows(g, p);
        return
      end
      p = position(p, 'neighbors', 'P');
      r = call(g, 1, p(1), p(2), 0, 0, 0, 0);
      if numel(r) == 1
        r = zeros(0, 2);
      else
        r = before_zero(r, 'neighbors').';
      end
    end

    function r = neighbours(g, p, varargin)
      % NEIGHBOURS  The same as neighbors: help GraphPlugin.neighbors.
      %
      %   Example:
      %     g.neighbours([1 1])           % [4 5] after the addEdge example
      if nargin < 2
        arguments_count(nargin, 2, 2, 'neighbours', 'neighbours(G, P)');
      end
      r = neighbors(g, p, varargin{:});
    end

    function moveNode(g, from, to, varargin)
      % MOVENODE  Move every node at position FROM to position TO.
      %   moveNode(G, FROM, TO) moves the nodes at FROM to TO, even onto a
      %   taken position (the nodes then share it and move together from then
      %   on; the first made answers neighbors). Moved nodes keep their
      %   values, edges and weights: use refreshWeights (main, or a graph of
      %   its own) to make weights match the new lengths. No node at FROM:
      %   nothing changes. On a plug-in, a 0 in FROM or TO raises
      %   GraphPlugin:zeroRule.
      %
      %   Example:
      %     g.moveNode([4 5], [7 9]);
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 3 && numel(from) == 2 && numel(to) == 2
            graphplugin_engine(15, h, from, to);
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 3, 3, 'moveNode', 'moveNode(G, FROM, TO)');
        engine('moveNode', 15, h, position(from, 'moveNode', 'FROM', true), ...
               position(to, 'moveNode', 'TO', true));
        return
      end
      try
        if nargin == 3 && numel(from) == 2 && numel(to) == 2 ...
            && all(from == int32(from) & from) && all(to == int32(to) & to)
          feval(h, from(1), from(2), to(1), to(2), 0, 2, 0);
          return
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      arguments_count(nargin, 3, 3, 'moveNode', 'moveNode(G, FROM, TO)');
      from = position(from, 'moveNode', 'FROM');
      to = position(to, 'moveNode', 'TO');
      call(g, 2, from(1), from(2), to(1), to(2), 0, 0);
    end

    function setWeight(g, a, b, weight, varargin)
      % SETWEIGHT  Change the weight of the edge between the nodes at A and B, or of many.
      %   setWeight(G, A, B, WEIGHT) sets both directions of the edge A-B to
      %   WEIGHT, a whole number of 0 or more. Without such an edge nothing
      %   changes. A negative weight raises GraphPlugin:negativeWeight: the
      %   search cannot handle one. No method reads a weight back; paths
      %   follow them, and a path that costs G.CostBound (30000) or more is
      %   none.
      %
      %   Where several nodes stand at A or B (after moveNode), it sets the
      %   entry of the first node made at A that leads to B, and the entry
      %   of the first made at B that leads to A: one edge may then be set in
      %   one direction only, or two edges each in one.
      %
      %   setWeight(G, A, B, WEIGHTS) with A and B n-by-2 matrices sets the
      %   edge between row k of A and row k of B, in order, as n calls would.
      %   WEIGHTS is one whole number for all edges or one per row. Every row
      %   is checked first: a bad one raises an error naming the row, and
      %   nothing changes.
      %
      %   Example:
      %     g.setWeight([1 1], [7 9], 12);
      %     g.setWeight([5 1; 6 1], [6 1; 7 1], 1);   % both edges of the chain
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 4
            graphplugin_engine(12, h, a, b, weight);
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 4, 4, 'setWeight', 'setWeight(G, A, B, WEIGHT)');
        [a, b] = own_pairs(a, b, 'setWeight');
        weight = whole_rows(weight, size(a, 1), 'setWeight', 'WEIGHT', 'weight');
        engine('setWeight', 12, h, a, b, weight);
        return
      end
      try
        if nargin == 4 && numel(a) == 2 && numel(b) == 2 && numel(weight) == 1 ...
            && weight == int32(weight) && weight >= 0 ...
            && all(a == int32(a) & a) && all(b == int32(b) & b)
          feval(h, a(1), a(2), b(1), b(2), weight, 3, 0);
          return
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      arguments_count(nargin, 4, 4, 'setWeight', 'setWeight(G, A, B, WEIGHT)');
      if numel(a) ~= 2 || numel(b) ~= 2
        join_rows(g, 'setWeight', 3, a, b, weight);
        return
      end
      a = position(a, 'setWeight', 'A');
      b = position(b, 'setWeight', 'B');
      weight = edge_weight(weight, 'setWeight', 'WEIGHT');
      call(g, 3, a(1), a(2), b(1), b(2), weight, 0);
    end

    function [path, d, status] = shortestPath(g, from, to, varargin)
      % SHORTESTPATH  Cheapest path from the node at FROM to the node at TO, and its cost.
      %   [PATH, D, STATUS] = shortestPath(G, FROM, TO) gives the path as an
      %   m-by-2 matrix of [x y] rows: row 1 is FROM, the last is TO; D is
      %   its cost, the sum of its weights.
      %
      %   On a graph of its own the path is always whole, and STATUS is
      %     'found'     a path; FROM == TO gives the node alone, D = 0
      %     'noPath'    FROM and TO are not joined: PATH is zeros(0, 2), D
      %                 is Inf
      %   No node at FROM or TO raises GraphPlugin:noNode. With FROM and TO
      %   k-by-2 matrices, one search per row in one call: PATH is a k-by-1
      %   cell array of paths, D k-by-1, STATUS a k-by-1 cell array.
      %   Where several nodes stand at a position, the search runs from the
      %   last made at FROM to the last made at TO.
      %
      %   On a plug-in D is NaN: no answer of a plug-in tells the cost. FROM
      %   and TO are one position each, and STATUS tells what the plug-in
      %   answered:
      %     'found'     the whole path; FROM == TO gives the node alone
      %     'cut'       longer than G.MaxPathPoints (41, or 401 in ombrik),
      %                 or through a node at x = 0 made by a direct call:
      %                 PATH holds the points nearest TO, ending at TO, and
      %                 a warning GraphPlugin:pathCut says so
      %     'costBound' no path found, and FROM and TO may not be joined at
      %                 all (a walled-off goal, the usual case on a map), or
      %                 only at G.CostBound (30000) or more, which the
      %                 plug-in counts as none: both ends have edges, or
      %                 their edges cannot be seen (below). A warning
      %                 GraphPlugin:costBound says so. PATH is zeros(0, 2)
      %     'noPath'    no path at all: no node at FROM, or one end's node
      %                 has no edges. PATH is zeros(0, 2)
      %     'noGoal'    a node at FROM, none at TO. PATH is zeros(0, 2)
      %
      %   Turn a warning off with warning('off', 'GraphPlugin:pathCut') and
      %   read STATUS instead. Where several nodes stand at a position (after
      %   moveNode), the search starts at the last made at FROM and ends at
      %   the last made at TO, while neighbors answers for the first. The
      %   plug-in cannot tell whether that last node has edges, so a search
      %   that finds no path between such ends reads 'costBound', never a
      %   'noPath' that may be wrong; where the first node has no edges, the
      %   warning names the shared position. The same holds where a listing
      %   does not show every node (G.MaxListed nodes or more): the nodes
      %   past it may stand at FROM or TO.
      %
      %   Example:
      %     [p, d, s] = g.shortestPath([1 1], [7 9]);
      %     if strcmp(s, 'found'), disp(p), end
      %     [p, d] = g.shortestPath([1 1; 1 1], [7 9; 3 1]);  % a graph of its own
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 3
            [path, m, d] = graphplugin_engine(30, h, from, to);
            if numel(from) == 2
              status = 'found';
              if ~m
                status = 'noPath';
              end
            else
              [path, status] = path_rows(path, m);
            end
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 3, 3, 'shortestPath', 'shortestPath(G, FROM, TO)');
        one = numel(from) == 2 && numel(to) == 2;
        [from, to] = own_pairs(from, to, 'shortestPath', 'FROM', 'TO');
        [path, m, d] = engine('shortestPath', 30, h, from, to);
        [path, status] = path_rows(path, m);
        if one
          path = path{1};
          status = status{1};
        end
        return
      end
      d = NaN;  % the plug-ins report no cost
      asked = false;
      try
        if nargin == 3 && numel(from) == 2 && numel(to) == 2 ...
            && all(from == int32(from) & from) && all(to == int32(to) & to)
          r = feval(h, from(1), from(2), to(1), to(2), 0, 4, 0);
          asked = true;
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      if ~asked
        arguments_count(nargin, 3, 3, 'shortestPath', 'shortestPath(G, FROM, TO)');
        from = position(from, 'shortestPath', 'FROM');
        to = position(to, 'shortestPath', 'TO');
        r = call(g, 4, from(1), from(2), to(1), to(2), 0, 0);
      end
      if numel(r) == 1
        path = zeros(0, 2);
        status = 'noPath';
        [maybe, unseen] = may_be_joined(g, from, to);
        if maybe
          status = 'costBound';
          warning('GraphPlugin:costBound', ['GraphPlugin.shortestPath: no path from [%d %d] ' ...
                  'to [%d %d]: they may not be joined at all (a walled-off goal, say), or ' ...
                  'only at a cost of %d or more, which counts as none%s'], ...
                  from(1), from(2), to(1), to(2), g.CostBound, unseen);
        end
      elseif numel(r) == 2 && ~any(r)
        path = zeros(0, 2);  % a real goal would stand in column 1
        status = 'noGoal';
      else
        path = r(:, end:-1:1).';
        if path(1, 1) == from(1) && path(1, 2) == from(2)
          status = 'found';
        else
          status = 'cut';
          warning('GraphPlugin:pathCut', ['GraphPlugin.shortestPath: the path from [%d %d] ' ...
                  'to [%d %d] has more than %d points, or a node made by a direct call at ' ...
                  'x = 0; these are the %d nearest [%d %d]'], from(1), from(2), to(1), ...
                  to(2), g.MaxPathPoints, size(path, 1), to(1), to(2));
        end
      end
    end

    function mergeNodes(g, keep, fold, varargin)
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
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 3 && numel(keep) == 2 && numel(fold) == 2
            graphplugin_engine(16, h, keep, fold);
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 3, 3, 'mergeNodes', 'mergeNodes(G, KEEP, FOLD)');
        engine('mergeNodes', 16, h, position(keep, 'mergeNodes', 'KEEP', true), ...
               position(fold, 'mergeNodes', 'FOLD', true));
        return
      end
      try
        if nargin == 3 && numel(keep) == 2 && numel(fold) == 2 ...
            && all(keep == int32(keep) & keep) && all(fold == int32(fold) & fold)
          feval(h, keep(1), keep(2), fold(1), fold(2), 0, 5, 0);
          return
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      arguments_count(nargin, 3, 3, 'mergeNodes', 'mergeNodes(G, KEEP, FOLD)');
      keep = position(keep, 'mergeNodes', 'KEEP');
      fold = position(fold, 'mergeNodes', 'FOLD');
      call(g, 5, keep(1), keep(2), fold(1), fold(2), 0, 0);
    end

    function removeNode(g, p, varargin)
      % REMOVENODE  Remove the node at P and every edge at it.
      %   removeNode(G, P) is mergeNodes(G, P, P): the plug-in removes a node
      %   by merging it into itself. Where several nodes stand at P, the last
      %   made goes. No node at P: nothing changes. On a graph of its own, P
      %   may be an n-by-2 matrix: the node at each row, in order.
      %
      %   Example:
      %     g.removeNode([2 1]);
      h = g.Graph;
      if ~ischar(h)
        try
          if nargin == 2
            graphplugin_engine(14, h, p);
            return
          end
        catch  % refused by the engine: see the quick path above
        end
        arguments_count(nargin, 2, 2, 'removeNode', 'removeNode(G, P)');
        engine('removeNode', 14, h, own_rows(p, 'removeNode', 'P'));
        return
      end
      try
        if nargin == 2 && numel(p) == 2 && all(p == int32(p) & p)
          feval(h, p(1), p(2), p(1), p(2), 0, 5, 0);
          return
        end
      catch  % refused by the tests or the plug-in: see the quick path above
      end
      arguments_count(nargin, 2, 2, 'removeNode', 'removeNode(G, P)');
      p = position(p, 'removeNode', 'P');
      call(g, 5, p(1), p(2), p(1), p(2), 0, 0);
    end

    function [nodes, status] = listNodes(g, varargin)
      % LISTNODES  Every node with its value, in the order they were made.
      %   [NODES, STATUS] = listNodes(G) is N-by-3: row c is [x y value] of
      %   the c-th node; NODES(:, 1:2) are positions to pass back. An empty
      %   graph gives zeros(0, 3). STATUS is
      %     'complete' every node: always, on a graph of its own
      %     'capped'   G.MaxListed rows (300, or 16666 in ombrik): the bound
      %                was reached, and the graph may hold more nodes, made
      %                later, or none more: no answer of the plug-in tells
      %                the two apart. A warning GraphPlugin:listCapped says so
      %     'cut'      a node made by a direct call has a 0, which ends the
      %                plug-in's answer: the nodes before it; a warning
      %                GraphPlugin:zeroCut says so
      %
      %   Example:
      %     n = g.listNodes();
      %     plot(n(:, 1), n(:, 2), 'o');
      h = g.Graph;
      if ~ischar(h)
        arguments_count(nargin, 1, 1, 'listNodes', 'listNodes(G)');
        nodes = engine('listNodes', 21, h);
        status = 'complete';
        return
      end
      arguments_count(nargin, 1, 1, 'listNodes', 'listNodes(G)');
      r = feval(h, 0, 0, 0, 0, 0, 6, 0);
      status = 'complete';
      if numel(r) == 1
        nodes = zeros(0, 3);  % the plug-in's 1-by-1 zero: an empty graph
        return
      end
      if ~r(end)
        r = before_zero(r, 'listNodes');
        status = 'cut';
      elseif size(r, 2) == g.MaxListed
        status = 'capped';
        % No answer tells whether a node was made after the last one listed.
        warning('GraphPlugin:listCapped', ['GraphPlugin.listNodes: %d nodes, the most %s ' ...
                'lists; the graph may hold more, made later, which are left out'], ...
                g.MaxListed, g.Name);
      end
      nodes = r.';
    end

    function importGrid(g, x, y, values, varargin)
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
      arguments_count(nargin, 4, 4, 'importGrid', 'importGrid(G, X, Y, VALUES)');
      require_command7(g, 'grid', 'importGrid');
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

    function refreshWeights(g, varargin)
      % REFRESHWEIGHTS  Set every edge weight to the length of its edge.
      %   refreshWeights(G) recomputes each weight as the straight-line
      %   distance between the positions of the edge's two nodes, cut to a
      %   whole number: after moveNode the weights match the new positions,
      %   and weights set by setWeight are replaced. Graphs of their own and
      %   the 64-bit main have it; elsewhere GraphPlugin:notAvailable.
      %
      %   Example:
      %     g = GraphPlugin();            % or GraphPlugin('main')
      %     g.moveNode([4 5], [8 8]);
      %     g.refreshWeights();
      h = g.Graph;
      if ~ischar(h)
        arguments_count(nargin, 1, 1, 'refreshWeights', 'refreshWeights(G)');
        engine('refreshWeights', 17, h);
        return
      end
      arguments_count(nargin, 1, 1, 'refreshWeights', 'refreshWeights(G)');
      require_command7(g, 'refresh', 'refreshWeights');
      call(g, 7, 0, 0, 0, 0, 0, 0);
    end

    function reset(g, varargin)
      % RESET  Empty the graph.
      %   reset(G) on a graph of its own removes every node and edge of that
      %   graph alone (and of every variable that shares it: H = G).
      %   On a plug-in it clears the plug-in from memory (like "clear
      %   ombrik"), which frees its graph; the next call loads it again with
      %   an empty graph. Every wrapper bound to the same plug-in sees the
      %   empty graph.
      %
      %   Example:
      %     g.reset();
      %     isempty(g.listNodes())        % true
      h = g.Graph;
      if ~ischar(h)
        arguments_count(nargin, 1, 1, 'reset', 'reset(G)');
        engine('reset', 4, h);
        return
      end
      arguments_count(nargin, 1, 1, 'reset', 'reset(G)');
      clear(g.Name);
    end

    function n = numNodes(g, varargin)
      % NUMNODES  The number of nodes of a graph of its own.
      %   N = numNodes(G) counts every node, two at one position (after
      %   moveNode) as two. On a plug-in: GraphPlugin:notAvailable.
      %
      %   Example:
      %     g = GraphPlugin();
      %     g.addNode([1 1; 2 1; 1 1]);
      %     g.numNodes()                  % 2: (1, 1) was taken
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 1
          n = graphplugin_engine(5, h);
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 1, 1, 'numNodes', 'numNodes(G)');
      require_own(g, 'numNodes');
      n = engine('numNodes', 5, h);
    end

    function e = numEdges(g, varargin)
      % NUMEDGES  The number of edges of a graph of its own.
      %   E = numEdges(G) counts each undirected edge once, a node joined to
      %   itself too. On a plug-in: GraphPlugin:notAvailable.
      %
      %   Example:
      %     g.addEdge([1 1; 2 1], [2 1; 3 1], 1);
      %     g.numEdges()                  % 2
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 1
          [~, e] = graphplugin_engine(5, h);
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 1, 1, 'numEdges', 'numEdges(G)');
      require_own(g, 'numEdges');
      [~, e] = engine('numEdges', 5, h);
    end

    function f = findNode(g, p, varargin)
      % FINDNODE  Whether a node stands at each row of P, on a graph of its own.
      %   F = findNode(G, P) with P an n-by-2 matrix of positions is n-by-1
      %   logical: true where a node stands at that row. On a plug-in:
      %   GraphPlugin:notAvailable.
      %
      %   Example:
      %     g.findNode([1 1; 9 9])        % [true; false]
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 2
          f = logical(graphplugin_engine(22, h, p));
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 2, 2, 'findNode', 'findNode(G, P)');
      require_own(g, 'findNode');
      f = logical(engine('findNode', 22, h, own_rows(p, 'findNode', 'P')));
    end

    function f = findEdge(g, a, b, varargin)
      % FINDEDGE  Whether each row of A is joined to that row of B, on a graph of its own.
      %   F = findEdge(G, A, B) with A and B n-by-2 matrices of positions is
      %   n-by-1 logical: true where the node at row k of A has a neighbour
      %   at row k of B (the first node made there, where several stand at
      %   A). An edge has no direction: findEdge(G, B, A) answers the same.
      %   On a plug-in: GraphPlugin:notAvailable.
      %
      %   Example:
      %     g.findEdge([1 1; 1 1], [2 1; 3 1])   % [true; false]
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 3
          f = logical(graphplugin_engine(23, h, a, b));
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 3, 3, 'findEdge', 'findEdge(G, A, B)');
      require_own(g, 'findEdge');
      [a, b] = own_pairs(a, b, 'findEdge');
      f = logical(engine('findEdge', 23, h, a, b));
    end

    function x = edges(g, varargin)
      % EDGES  Every edge of a graph of its own once, [ax ay bx by weight].
      %   X = edges(G) is e-by-5: row k is the k-th edge made, from the node
      %   at (ax, ay), the A it was asked for (the KEEP of a merge), to the
      %   node at (bx, by), with its weight. A graph without edges gives
      %   zeros(0, 5). On a plug-in: GraphPlugin:notAvailable, as no answer
      %   of a plug-in reads a weight back.
      %
      %   Example:
      %     g = GraphPlugin();
      %     g.addEdge([1 1; 2 1], [2 1; 3 1], [4 7]);
      %     g.edges()                     % [1 1 2 1 4; 2 1 3 1 7]
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 1
          x = graphplugin_engine(24, h);
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 1, 1, 'edges', 'edges(G)');
      require_own(g, 'edges');
      x = engine('edges', 24, h);
    end

    function d = degree(g, p, varargin)
      % DEGREE  The number of edge ends at the node at each row of P, on a graph of its own.
      %   D = degree(G, P) with P an n-by-2 matrix of positions is n-by-1: the
      %   edges of the node at each row, a node joined to itself counting
      %   twice, as in MATLAB's graph; 0 where no node stands. Where several
      %   nodes stand at a position, the first made answers. On a plug-in:
      %   GraphPlugin:notAvailable.
      %
      %   Example:
      %     g.degree([2 1; 9 9])          % [2; 0] in a chain 1-2-3
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 2
          d = graphplugin_engine(25, h, p);
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 2, 2, 'degree', 'degree(G, P)');
      require_own(g, 'degree');
      d = engine('degree', 25, h, own_rows(p, 'degree', 'P'));
    end

    function removeEdge(g, a, b, varargin)
      % REMOVEEDGE  Remove the edge between the nodes at A and B, or of each row pair.
      %   removeEdge(G, A, B) removes the edge between the node at A and its
      %   neighbour at B (both directions); the nodes stay. Without such an
      %   edge nothing changes. With A and B n-by-2 matrices, row k of A and
      %   row k of B, in order, as n calls would. On a plug-in:
      %   GraphPlugin:notAvailable.
      %
      %   Example:
      %     g.removeEdge([1 1], [2 1]);
      %     g.findEdge([1 1], [2 1])      % false
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 3
          graphplugin_engine(13, h, a, b);
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 3, 3, 'removeEdge', 'removeEdge(G, A, B)');
      require_own(g, 'removeEdge');
      [a, b] = own_pairs(a, b, 'removeEdge');
      engine('removeEdge', 13, h, a, b);
    end

    function [nodes, d] = nearest(g, p, maxCost, varargin)
      % NEAREST  The nodes within a cost of the node at P, cheapest first, on a graph of its own.
      %   [NODES, D] = nearest(G, P, MAXCOST) is every node whose cheapest
      %   path from the node at P costs MAXCOST or less: NODES m-by-2
      %   positions, cheapest first (ties in the order the nodes were made),
      %   D m-by-1 their costs. The node at P itself is left out. MAXCOST is
      %   a number of 0 or more; nearest(G, P) is nearest(G, P, Inf): every
      %   node P reaches. No node at P raises GraphPlugin:noNode. On a
      %   plug-in: GraphPlugin:notAvailable.
      %
      %   Example:
      %     [nodes, d] = g.nearest([1 1], 5);
      h = g.Graph;
      try
        if ~ischar(h) && nargin == 3
          [nodes, d] = graphplugin_engine(31, h, p, maxCost);
          return
        end
      catch  % refused by the engine: see the quick path above
      end
      arguments_count(nargin, 2, 3, 'nearest', 'nearest(G, P, MAXCOST)');
      require_own(g, 'nearest');
      if nargin < 3
        maxCost = Inf;
      end
      if ~isnumeric(maxCost) || ~isreal(maxCost) || ~isscalar(maxCost) || ~(maxCost >= 0)
        error('GraphPlugin:badArgument', ...
              'GraphPlugin.nearest: MAXCOST must be one number of 0 or more (Inf for all)');
      end
      [nodes, d] = engine('nearest', 31, h, position(p, 'nearest', 'P', true), ...
                          full(double(maxCost)));
    end

    function handles = plot(g, path, varargin)
      % PLOT  Draw the graph's edges as segments, and a path over them.
      %   H = plot(G) draws every edge of G as a grey segment and every node
      %   as a dot in the current axes (newplot: hold on keeps what is
      %   there), and returns the graphics handles, [edges; nodes].
      %   H = plot(G, PATH) draws PATH, an m-by-2 matrix of positions such as
      %   shortestPath returns, or a cell array of them, as a thick red line
      %   over the graph: H is [edges; nodes; path].
      %
      %   On a plug-in the graph is read through listNodes and neighbors, so
      %   a capped listing shows only the nodes listed, with a warning.
      %   plot draws; a figure that is not shown (figure('visible', 'off'),
      %   for octave-cli or a script) and print -dpng are the caller's.
      %
      %   Example:
      %     g.plot(g.shortestPath([1 1], [3 1]));
      %     axis equal
      %     print('-dpng', 'graph.png');
      arguments_count(nargin, 1, 2, 'plot', 'plot(G, PATH)');
      if nargin > 1
        path = path_points(path);
      end
      if ~ischar(g.Graph)
        nodes = engine('plot', 21, g.Graph);
        x = engine('plot', 24, g.Graph);
      else
        nodes = listNodes(g);
        near = neighbours_of_rows(g, nodes(:, 1:2));
        k = cellfun('size', near, 1);
        x = [repelem(nodes(:, 1:2), k, 1), vertcat(near{:}, zeros(0, 2))];
      end
      % All edges as one line, NaN between segments: one object draws fast in every toolkit.
      xs = [x(:, [1 3]), NaN(size(x, 1), 1)].';
      ys = [x(:, [2 4]), NaN(size(x, 1), 1)].';
      ax = newplot();
      handles = [line([NaN; xs(:)], [NaN; ys(:)], 'Parent', ax, 'Color', [0.7 0.7 0.7]); ...
                 line([NaN; nodes(:, 1)], [NaN; nodes(:, 2)], 'Parent', ax, ...
                      'LineStyle', 'none', 'Marker', 'o', 'MarkerSize', 3, ...
                      'Color', [0.2 0.4 0.8], 'MarkerFaceColor', [0.2 0.4 0.8])];
      if nargin > 1
        handles(3, 1) = line(path(:, 1), path(:, 2), 'Parent', ax, 'Color', [0.85 0.1 0.1], ...
                             'LineWidth', 2.5);
      end
    end
  end

  methods (Static)
    function v = version(varargin)
      % VERSION  The version number of this toolbox and its plug-ins, as text.
      %   V = GraphPlugin.version() is, for example, '3.0.0': the number on
      %   line 2 of Contents.m beside this file, the line MATLAB's ver reads,
      %   and the one the Octave package and the Windows bundle are named by.
      %
      %   Example:
      %     GraphPlugin.version()        % '3.0.0'
      arguments_count(nargin + 1, 1, 1, 'version', 'GraphPlugin.version()');
      text = fileread(fullfile(fileparts(mfilename('fullpath')), 'Contents.m'));
      v = regexp(text, '^[^\n]*\n%\s*Version\s+(\d+\.\d+\.\d+)\s', 'tokens', 'once');
      if isempty(v)
        error('GraphPlugin:noVersion', ...
              'GraphPlugin.version: line 2 of Contents.m is not ''%% Version <x.y.z> <date>''');
      end
      v = v{1};
    end
  end
end

% Local functions: the checks at the door, one per kind of argument, and the row loops. They
% are not methods, so methods(g) lists only what a user calls.

function r = call(g, code, ax, ay, bx, by, w, val)
  % The plug-in's own argument order: ax, ay, bx, by, w, code, val.
  if nargout > 0
    r = feval(g.Name, ax, ay, bx, by, w, code, val);
  else
    feval(g.Name, ax, ay, bx, by, w, code, val);
  end
end

function [maybe, unseen] = may_be_joined(g, from, to)
  % After a search that found no path: whether FROM and TO may still be joined, at the cost
  % bound or above. They are not when the search's node at either end is missing or has no
  % edge. The search takes the last node made at a position, command 1 answers for the first,
  % and only a complete listing shows that one node stands there; elsewhere the answer is
  % "may", and UNSEEN says why, as the end of the warning ('' when nothing is unseen).
  ends = [from; to];
  bare = [numel(feval(g.Name, from(1), from(2), 0, 0, 0, 1, 0)) == 1, ...
          numel(feval(g.Name, to(1), to(2), 0, 0, 0, 1, 0)) == 1];  % the first node, no edge
  maybe = true;
  unseen = '';
  if ~any(bare)
    return  % "may" whatever the listing shows: the common case costs no listing
  end
  listing = feval(g.Name, 0, 0, 0, 0, 0, 6, 0);
  if numel(listing) == 1
    listing = zeros(3, 0);  % an empty graph
  end
  complete = size(listing, 2) < g.MaxListed && (isempty(listing) || listing(end) ~= 0);
  for k = find(bare)
    x = ends(k, 1);
    y = ends(k, 2);
    count = sum(listing(1, :) == x & listing(2, :) == y);
    if count == 0
      alone = feval(g.Name, x, y, x, y, 0, 4, 0);  % the node alone, when one stands there
      if complete || ~alone(1)
        maybe = false;  % no node
        return
      end
    end
    if count == 1 && complete
      maybe = false;  % one node, without edges
      return
    elseif count > 1
      unseen = sprintf(['%s; [%d %d] holds %d nodes, and the search takes the last made ' ...
                        'there, whose edges no answer shows'], unseen, x, y, count);
    else
      unseen = sprintf(['%s; the listing does not show every node, so others may stand ' ...
                        'at [%d %d], and the search takes the last made there'], unseen, x, y);
    end
  end
end

function varargout = engine(method, op, varargin)
  % A call of the engine outside a quick path: its refusal names the method.
  try
    if nargout > 0
      [varargout{1:nargout}] = graphplugin_engine(op, varargin{:});
    else
      graphplugin_engine(op, varargin{:});
    end
  catch err
    message = regexprep(err.message, '^graphplugin_engine:\s*', '');
    error(struct('identifier', err.identifier, ...
                 'message', sprintf('GraphPlugin.%s: %s', method, message)));
  end
end

function not_built(name, what)
  % The file NAME.<mexext()> is not where GraphPlugin looks for it.
  if strcmp(name, 'graphplugin_engine')
    where = ['The Octave package and the Windows bundle put it in private/ beside ' ...
             'GraphPlugin.m: pkg load graphplugin, or addpath the unzipped folder. In a clone ' ...
             'of the sources: build it (cmake --preset linux, build/octave), then addpath ' ...
             'the folder it built into.'];
  else
    where = ['The Octave package and the Windows bundle put it beside GraphPlugin.m: ' ...
             'pkg load graphplugin, or addpath the unzipped folder. In a clone of the ' ...
             'sources: build_plugins, then addpath the folder it built into.'];
  end
  error('GraphPlugin:notBuilt', 'GraphPlugin: %s.%s, %s for this host, is not on the path. %s', ...
        name, mexext(), what, where);
end

function require_own(g, method)
  if ischar(g.Graph)
    error('GraphPlugin:notAvailable', ['GraphPlugin.%s: only a graph of its own has it ' ...
          '(GraphPlugin()); %s answers no such question'], method, g.Name);
  end
end

function P = own_rows(P, method, what)
  % Positions for the engine: one [x y] in any shape of two elements, or rows of an n-by-2
  % matrix; whole numbers in the int32 range, 0 as good as any.
  if isnumeric(P) && numel(P) == 2
    P = position(P, method, what, true);
  else
    P = position_rows(P, method, what, true);
  end
end

function [A, B] = own_pairs(A, B, method, a_name, b_name)
  % Row pairs for the engine, of as many rows each.
  if nargin < 4
    a_name = 'A';
    b_name = 'B';
  end
  A = own_rows(A, method, a_name);
  B = own_rows(B, method, b_name);
  if size(A, 1) ~= size(B, 1)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s and %s must have as many rows (%d and %d)', ...
          method, a_name, b_name, size(A, 1), size(B, 1));
  end
end

function edge_exists(A, B, had)
  % The warning of addEdge on a graph of its own where some rows were joined already.
  k = find(had, 1);
  more = '';
  if nnz(had) > 1
    more = sprintf(' (and %d more rows)', nnz(had) - 1);
  end
  warning('GraphPlugin:edgeExists', ['GraphPlugin.addEdge: row %d, [%d %d] to [%d %d], is ' ...
          'an edge already%s; an edge keeps its weight (setWeight changes it)'], ...
          k, A(k, 1), A(k, 2), B(k, 1), B(k, 2), more);
end

function [paths, status] = path_rows(R, m)
  % The engine's paths, one after the other in R, as a cell with a status per row.
  paths = mat2cell(R, m, 2);
  status = repmat({'found'}, numel(m), 1);
  status(m == 0) = {'noPath'};
end

function P = path_points(P)
  % A path to draw: m-by-2 positions, or a cell array of them, NaN between them.
  if iscell(P)
    parts = cellfun(@path_points, reshape(P, 1, []), 'UniformOutput', false);
    parts(2, :) = {[NaN NaN]};  % each path, then a break in the line
    P = vertcat(zeros(0, 2), parts{:});
    return
  end
  if ~isnumeric(P) || ~isreal(P) || ndims(P) ~= 2 || (size(P, 2) ~= 2 && ~isempty(P))
    error('GraphPlugin:badArgument', ['GraphPlugin.plot: PATH must be an m-by-2 matrix of ' ...
          'positions, as shortestPath returns, or a cell array of them']);
  end
  P = reshape(full(double(P)), [], 2);
end

function require_command7(g, kind, method)
  if ~ischar(g.Graph) && ~strcmp(g.Command7, kind)
    error('GraphPlugin:notAvailable', 'GraphPlugin.%s: a graph of its own has no %s command', ...
          method, kind);
  elseif ~strcmp(g.Command7, kind)
    error('GraphPlugin:notAvailable', 'GraphPlugin.%s: %s has no %s command (its code 7: %s)', ...
          method, g.Name, kind, g.Command7);
  end
end

function arguments_count(n, lo, hi, method, usage)
  % N counts G too, as nargin does in a method.
  if n < lo || n > hi
    error('GraphPlugin:badArgument', 'GraphPlugin.%s: %d arguments after G; call it as %s', ...
          method, n - 1, usage);
  end
end

function p = position(p, method, what, own)
  % A position is [x y], two whole numbers in the int32 range; nonzero unless a fourth
  % argument (OWN: for a graph of its own) is given.
  if ~isnumeric(p) || ~isreal(p) || numel(p) ~= 2 || ~all(isfinite(p(:))) ...
      || any(p(:) ~= fix(p(:))) || any(double(p(:)) < -2^31) || any(double(p(:)) > 2^31 - 1)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be a position [x y], two whole numbers in the int32 range', ...
          method, what);
  end
  p = full(double(reshape(p, 1, 2)));
  if ~all(p) && nargin < 4
    error('GraphPlugin:zeroRule', ['GraphPlugin.%s: %s = [%d %d] has a 0; a 0 ends every ' ...
          'answer of the plug-in, so positions take nonzero x and y'], method, what, p(1), p(2));
  end
end

function v = whole(v, method, what)
  % One whole number in the int32 range.
  if ~isnumeric(v) || ~isreal(v) || ~isscalar(v) || ~isfinite(v) || v ~= fix(v) ...
      || double(v) < -2^31 || double(v) > 2^31 - 1
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be one whole number from -2147483648 to 2147483647', ...
          method, what);
  end
  v = double(v);
end

function v = node_value(v, method, what)
  v = whole(v, method, what);
  if v == 0
    error('GraphPlugin:zeroRule', ['GraphPlugin.%s: %s is 0; a 0 ends every answer of the ' ...
          'plug-in, so a node''s value must not be 0'], method, what);
  end
end

function w = edge_weight(w, method, what)
  w = whole(w, method, what);
  if w < 0
    error('GraphPlugin:negativeWeight', ['GraphPlugin.%s: %s is %d; the cheapest-path search ' ...
          'takes weights of 0 or more'], method, what, w);
  end
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

function r = before_zero(r, method)
  % The columns of the plug-in's answer R before the first one that the zero rule reached: a
  % node made by a direct call has a 0, and everything from it on reads 0.
  first = find(r(2:end) == 0, 1) + 1;        % the first 0 after element 1
  r = r(:, 1:ceil(first / size(r, 1)) - 1);
  warning('GraphPlugin:zeroCut', ['GraphPlugin.%s: the answer ends at a 0 that a direct call ' ...
          'made (the zero rule); the %d rows before it are returned'], method, size(r, 2));
end

function P = position_rows(P, method, what, own)
  % Positions as rows of an n-by-2 matrix, each two whole numbers in the int32 range; nonzero
  % unless a fourth argument (OWN: for a graph of its own) is given.
  if ~isnumeric(P) || ~isreal(P) || ndims(P) ~= 2 || size(P, 2) ~= 2
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be a position [x y] or an n-by-2 matrix of positions', ...
          method, what);
  end
  P = full(double(P));
  bad = find(~all(P == int32(P) & (P ~= 0 | nargin > 3), 2), 1);  % whole, in range, nonzero
  if isempty(bad)
    return
  end
  if all(P(bad, :) == int32(P(bad, :)))
    error('GraphPlugin:zeroRule', ['GraphPlugin.%s: row %d of %s, [%d %d], has a 0; a 0 ' ...
          'ends every answer of the plug-in, so positions take nonzero x and y'], ...
          method, bad, what, P(bad, 1), P(bad, 2));
  end
  error('GraphPlugin:badArgument', ['GraphPlugin.%s: row %d of %s is not a position: ' ...
        'two whole numbers in the int32 range'], method, bad, what);
end

function v = whole_rows(v, n, method, what, rule)
  % One whole number in the int32 range for all n rows, or one per row; an n-by-1 double.
  % RULE 'value' refuses a 0, 'weight' a negative number, 'any' neither.
  if ~isnumeric(v) || ~isreal(v) || (numel(v) ~= 1 && numel(v) ~= n)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be one whole number or one per row (%d rows)', method, what, n);
  end
  v = full(double(v(:)));
  if strcmp(rule, 'value')
    bad = find(v ~= int32(v) | ~v, 1);
  elseif strcmp(rule, 'any')
    bad = find(v ~= int32(v), 1);
  else
    bad = find(v ~= int32(v) | v < 0, 1);
  end
  if isempty(bad)
    if numel(v) == 1
      v = repmat(v, n, 1);
    end
    return
  end
  if v(bad) ~= int32(v(bad))
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s(%d) must be a whole number from -2147483648 to 2147483647', ...
          method, what, bad);
  elseif strcmp(rule, 'value')
    error('GraphPlugin:zeroRule', ['GraphPlugin.%s: %s(%d) is 0; a 0 ends every answer of ' ...
          'the plug-in, so a node''s value must not be 0'], method, what, bad);
  end
  error('GraphPlugin:negativeWeight', ['GraphPlugin.%s: %s(%d) is %d; the cheapest-path ' ...
        'search takes weights of 0 or more'], method, what, bad, v(bad));
end

function add_rows(g, P, values)
  % addNode for the rows of P: every row checked before the first call.
  P = position_rows(P, 'addNode', 'P');
  values = whole_rows(values, size(P, 1), 'addNode', 'VALUES', 'value');
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
  w = whole_rows(w, n, method, 'WEIGHT', 'weight');
  if code == 0
    require_nodes_at_b(g, A, B);
  end
  ax = A(:, 1);
  ay = A(:, 2);
  bx = B(:, 1);
  by = B(:, 2);
  value = double(code == 0);  % of a node that addEdge makes at A
  plugin = str2func(g.Name);
  for k = 1:n
    plugin(ax(k), ay(k), bx(k), by(k), w(k), code, value);
  end
end

function yes = has_node(g, p)
  % A path from P to P is the node alone when one stands at P, in a graph that is not empty.
  alone = feval(g.Name, p(1), p(2), p(1), p(2), 0, 4, 0);
  yes = alone(1) ~= 0;
end

function require_nodes_at_b(g, A, B)
  % addEdge for rows: as the rows would run in order, B of row k is there when a node stands at
  % it now, or when row k or an earlier row makes it as its A. Refuses the first row whose B is
  % neither, before any row runs: the plug-in would drop that edge without a word.
  n = size(A, 1);
  [firstA, made] = unique(A, 'rows', 'first');  % the row that first makes each A
  [isA, at] = ismember(B, firstA, 'rows');
  ahead = false(n, 1);
  ahead(isA) = made(at(isA)) <= find(isA);
  need = find(~ahead);
  [wanted, ~, of] = unique(B(need, :), 'rows');
  there = false(size(wanted, 1), 1);
  unsure = (1:numel(there)).';
  if numel(there) > 16
    % One listing answers for many rows at once; past a capped or cut listing, ask each.
    listing = feval(g.Name, 0, 0, 0, 0, 0, 6, 0);
    if numel(listing) > 1
      there = ismember(wanted, listing(1:2, :).', 'rows');
      unsure = [];
      if size(listing, 2) == g.MaxListed || ~listing(end)
        unsure = find(~there);
      end
    end
  end
  plugin = str2func(g.Name);
  for j = unsure.'
    alone = plugin(wanted(j, 1), wanted(j, 2), wanted(j, 1), wanted(j, 2), 0, 4, 0);
    there(j) = alone(1) ~= 0;  % as in has_node
  end
  bad = need(find(~there(of), 1));
  if ~isempty(bad)
    error('GraphPlugin:noNode', ['GraphPlugin.addEdge: row %d of B, [%d %d], has no node, ' ...
          'and no earlier row makes one; the plug-in would make A and drop the edge: add B ' ...
          'first (addNode). No row was added'], bad, B(bad, 1), B(bad, 2));
  end
end

function r = neighbours_of_rows(g, P)
  % neighbors for the rows of P: an n-by-1 cell array of k-by-2 answers.
  P = position_rows(P, 'neighbors', 'P');
  x = P(:, 1);
  y = P(:, 2);
  r = cell(numel(x), 1);
  plugin = str2func(g.Name);
  for k = 1:numel(x)
    answer = plugin(x(k), y(k), 0, 0, 0, 1, 0);
    if numel(answer) == 1
      answer = zeros(2, 0);  % the plug-in's 1-by-1 zero: nothing to report
    elseif ~answer(end)
      answer = before_zero(answer, 'neighbors');
    end
    r{k} = answer.';
  end
end

function yes = is_64bit_host()
  % The pointer width of the host: the 32-bit main has no command 7. computer()'s second output
  % is Octave's index width, which says nothing about pointers.
  if exist('OCTAVE_VERSION', 'builtin')
    % The processor of the host type Octave was built for: x86_64, aarch64, ... or i686, arm.
    host = computer();
    yes = ~isempty(regexp(strtok(host, '-'), '64|^s390x$', 'once')) ...
          && isempty(regexp(host, 'x32$', 'once'));  % the x32 ABI has 32-bit pointers
  else
    yes = ~any(strcmp(mexext(), {'mexw32', 'mexglx'}));
  end
end

%% Octave's built-in tests (test GraphPlugin); MATLAB reads them as comments. The ones that call
%% a plug-in run where zelmot is on the path, those of graphs of their own where the engine is
%% (on the path, or in private/ beside this file), and are counted as skipped elsewhere.

%!error id=GraphPlugin:unknownPlugin GraphPlugin ("zelmot2")
%!error id=GraphPlugin:unknownPlugin GraphPlugin (3)
%!error id=GraphPlugin:badArgument GraphPlugin ("zelmot", 1)
%!error id=GraphPlugin:badArgument GraphPlugin.version (1)

%!function refuse (cases)
%! ## Each row of CASES: the identifier, and a call that must raise it.
%! for k = 1:rows (cases)
%!   id = "";
%!   try
%!     cases{k, 2} ();
%!   catch err
%!     id = err.identifier;
%!   end_try_catch
%!   assert ({k, id}, {k, cases{k, 1}});
%! endfor
%!endfunction

%!function [path, status] = path_of (g, from, to)
%! ## shortestPath's path and status, without its cost.
%! [path, ~, status] = g.shortestPath (from, to);
%!endfunction

%!function [out, status, id] = flagged (fn)
%! ## Calls FN and returns its outputs, an answer and a status, with the identifier of the
%! ## warning FN gave ("" for none). The warnings stay on, as a user has them, but unshown.
%! lastwarn ("", "");
%! out = status = "";
%! evalc ("[out, status] = fn ();");
%! [~, id] = lastwarn ();
%!endfunction

%!testif ; exist ("zelmot") == 3
%! ## A refused argument raises its identifier and changes nothing: bad types and shapes, a
%! ## missing or an extra argument, and what the plug-in's answers cannot carry (a 0 in a
%! ## position or a value ends them) or its search cannot handle (a negative weight), and an
%! ## edge to a position without a node, which the plug-in would drop.
%! g = GraphPlugin ("zelmot");
%! g.reset ();
%! g.addNode ([1 1; 2 1], [5 6]);
%! g.addEdge ([1 1], [2 1], 3);
%! graph = @() {g.listNodes(), g.neighbors([1 1; 2 1]), g.shortestPath([1 1], [2 1])};
%! before = graph ();
%! [X, Y] = meshgrid (0:3, 0:2);
%! refuse ({
%!   "GraphPlugin:badArgument",    @() g.addNode ([1 2 3], 1)
%!   "GraphPlugin:badArgument",    @() g.addNode ([2 2], 0.5)
%!   "GraphPlugin:badArgument",    @() g.addNode ({2, 2})
%!   "GraphPlugin:badArgument",    @() g.addEdge ([1 1], [2 NaN], 1)
%!   "GraphPlugin:badArgument",    @() g.setWeight ([1 1], [2 2], 2^31)
%!   "GraphPlugin:badArgument",    @() g.addNode ([2 2; 3 3], [1 2 3])
%!   "GraphPlugin:badArgument",    @() g.addEdge ([2 2; 3 3], [1 1], 1)
%!   "GraphPlugin:badArgument",    @() g.neighbours ("ab")
%!   "GraphPlugin:badArgument",    @() g.shortestPath ([1 1], [2 2 2])
%!   "GraphPlugin:badArgument",    @() g.addEdge ([1 1], [2 2])       # no weight
%!   "GraphPlugin:badArgument",    @() g.setWeight ([1 1], [2 1])
%!   "GraphPlugin:badArgument",    @() g.shortestPath ([1 1])
%!   "GraphPlugin:badArgument",    @() g.addNode ()
%!   "GraphPlugin:badArgument",    @() g.addNode ([3 3], 1, 1)        # one too many
%!   "GraphPlugin:badArgument",    @() g.neighbors ([1 1], 2)
%!   "GraphPlugin:badArgument",    @() g.moveNode ([1 1], [3 3], 1)
%!   "GraphPlugin:badArgument",    @() g.removeNode ([1 1], [2 1])
%!   "GraphPlugin:badArgument",    @() g.listNodes (1)
%!   "GraphPlugin:badArgument",    @() g.reset (1)
%!   "GraphPlugin:badArgument",    @() disp (g, 1)
%!   "GraphPlugin:zeroRule",       @() g.addNode ([X(:) Y(:)], 5)     # a grid from 0
%!   "GraphPlugin:zeroRule",       @() g.addNode ([3 1], 0)
%!   "GraphPlugin:zeroRule",       @() g.addNode ([3 1; 4 1], [7 0])
%!   "GraphPlugin:zeroRule",       @() g.addNode ([0 1], 7)
%!   "GraphPlugin:zeroRule",       @() g.addEdge ([1 1], [0 5], 1)
%!   "GraphPlugin:zeroRule",       @() g.moveNode ([2 1], [2 0])
%!   "GraphPlugin:zeroRule",       @() g.neighbors ([1 1; 0 0])
%!   "GraphPlugin:negativeWeight", @() g.setWeight ([1 1], [2 1], -5)
%!   "GraphPlugin:negativeWeight", @() g.addEdge ([1 1], [3 1], -1)
%!   "GraphPlugin:negativeWeight", @() g.setWeight ([1 1; 2 1], [2 1; 1 1], [1 -1])
%!   "GraphPlugin:noNode",         @() g.addEdge ([3 3], [4 4], 1)      # A is not made either
%!   "GraphPlugin:noNode",         @() g.addEdge ([3 3; 4 4], [1 1; 5 5], 1)
%! });
%! assert (graph (), before);
%! g.reset ();

%!testif ; exist ("zelmot") == 3
%! ## Bounds are never silent: a listing that reached MaxListed, a path longer than
%! ## MaxPathPoints, and a 'noPath' where a path at the cost bound or above may exist each
%! ## warn with an identifier and say so in their status; a raw node with a 0 cuts answers.
%! g = GraphPlugin ("zelmot");
%! g.reset ();
%! x = (1:301)';
%! g.addNode ([x, ones(301, 1)], 7);                    # one more than zelmot lists
%! g.addEdge ([x(1:59), ones(59, 1)], [x(2:60), ones(59, 1)], 1);
%! g.setWeight ([50 1], [51 1], 29990);                 # past (51, 1): 29990 more
%! cases = {
%!   # call                                  answer                            status       warning
%!   @() g.listNodes(),                      [(1:300)', ones(300, 1), 7 * ones(300, 1)], ...
%!                                                                             "capped",    "listCapped"
%!   @() path_of(g, [1 1], [45 1]),      [(5:45)', ones(41, 1)],           "cut",       "pathCut"
%!   @() path_of(g, [1 1], [60 1]),      zeros(0, 2),                      "costBound", "costBound"
%!   # (70, 1) has no edge, but the capped listing cannot show that no later node stands there
%!   @() path_of(g, [1 1], [70 1]),      zeros(0, 2),                      "costBound", "costBound"
%!   @() path_of(g, [70 1], [1 1]),      zeros(0, 2),                      "costBound", "costBound"
%!   @() path_of(g, [400 1], [1 1]),     zeros(0, 2),                      "noPath",    ""
%!   @() path_of(g, [1 1], [3 1]),       [1 1; 2 1; 3 1],                  "found",     ""
%!   @() path_of(g, [1 1], [9 9]),       zeros(0, 2),                      "noGoal",    ""
%! };
%! for k = 1:rows (cases)
%!   [out, s, id] = flagged (cases{k, 1});
%!   assert ({k, out, s, id}, {k, cases{k, 2:3}, regexprep(cases{k, 4}, '^.', 'GraphPlugin:$0')});
%! endfor
%! ## Rows to B checked past a capped listing one by one: (301, 1) is there, (350, 1) is not.
%! B = [(1:19)', ones(19, 1); 301 1; 350 1];
%! before = flagged (@() g.listNodes ());
%! try
%!   g.addEdge ([B(:, 1), 2 * ones(21, 1)], B, 1);
%!   said = "";
%! catch err
%!   said = err.message;
%! end_try_catch
%! assert ({isempty(strfind (said, "row 21 of B")), flagged(@() g.listNodes ())}, {false, before});
%! g.addEdge ([B(20, 1), 2], B(20, :), 1);
%! assert (g.neighbors ([301 1]), [301 2]);
%! g.removeNode ([301 1]);                              # exactly as many as zelmot lists
%! lastwarn ("", "");
%! evalc ("[~, s] = g.listNodes ();");
%! [said, id] = lastwarn ();
%! assert ({s, id, isempty(strfind (said, "may hold more"))}, ...
%!         {"capped", "GraphPlugin:listCapped", false});
%! g.reset ();                                          # nodes with a 0, made by direct calls
%! g.addNode ([1 1], 5);
%! zelmot (2, 1, 1, 1, 4, 0, 0);
%! zelmot (3, 1, 1, 1, 4, 0, 7);
%! [out, s, id] = flagged (@() g.listNodes ());
%! assert ({out, s, id}, {[1 1 5], "cut", "GraphPlugin:zeroCut"});
%! zelmot (0, 5, 1, 1, 4, 0, 7);                        # a neighbour at x = 0
%! [out, ~, id] = flagged (@() deal (g.neighbors ([1 1]), "-"));
%! assert ({out, id}, {[2 1; 3 1], "GraphPlugin:zeroCut"});
%! g.reset ();

%!testif ; exist ("zelmot") == 3
%! ## Positions are rows in and out, so answers go back in; a path runs from FROM to TO.
%! g = GraphPlugin ("zelmot");
%! g.reset ();
%! x = (1:45)';
%! g.addNode ([x, ones(45, 1)], 7);
%! g.addEdge ([x(1:end-1), ones(44, 1)], [x(2:end), ones(44, 1)], 1);
%! g.addNode ([9 9], 7);
%! nb = g.neighbors ([25 1]);
%! assert (nb, [24 1; 26 1]);
%! assert (g.neighbours (nb), {[23 1; 25 1]; [25 1; 27 1]});
%! [p, ~, s] = g.shortestPath ([1 1], [3 1]);
%! assert ({p, s}, {[1 1; 2 1; 3 1], "found"});
%! assert (g.shortestPath (p(end, :), p(1, :)), flipud (p));
%! [p, ~, s] = g.shortestPath ([2 1], [2 1]);
%! assert ({p, s}, {[2 1], "found"});
%! [p, ~, s] = g.shortestPath ([1 1], [8 8]);
%! assert ({p, s}, {zeros(0, 2), "noGoal"});
%! [p, ~, s] = g.shortestPath ([8 8], [1 1]);
%! assert ({p, s}, {zeros(0, 2), "noPath"});
%! n = g.listNodes ();
%! assert (n([1 end], :), [1 1 7; 9 9 7]);
%! g.reset ();
%! assert ({g.listNodes(), g.neighbors([1 1])}, {zeros(0, 3), zeros(0, 2)});

%!testif ; exist ("zelmot") == 3
%! ## disp shows the plug-in, its store and its bounds; methods lists the public ones only;
%! ## GraphPlugin() takes the largest bounds.
%! g = GraphPlugin ("zelmot");
%! text = evalc ("disp (g)");
%! for part = {"zelmot", g.Store, "41", "300", "30000", "grid"}
%!   assert (isempty (strfind (text, part{1})), false, part{1});
%! endfor
%! assert (any (strcmp (g.Store, {"reference", "indexed"})));
%! listed = methods (g);
%! assert (! any (ismember ({"call", "require_command7", "arguments_count"}, listed)));
%! assert (all (ismember ({"neighbors", "neighbours", "listNodes", "disp"}, listed)));
%! if (exist ("ombrik") == 3)
%!   d = GraphPlugin ("ombrik");
%!   assert ({d.Name, d.MaxPathPoints, d.MaxListed}, {"ombrik", 401, 16666});
%! endif

%!testif ; exist ("graphplugin_engine") == 3 || ! isempty (dir (fullfile (fileparts (which ("GraphPlugin")), "private", ["graphplugin_engine." mexext()])))
%! ## A graph of its own: zeros welcome, addEdge makes both ends, paths whole with their costs,
%! ## one row or many; what is refused raises its identifier, names the method and changes
%! ## nothing.
%! g = GraphPlugin ();
%! g.addNode ([0 0; 1 0], [0 2]);
%! g.addEdge ([0 0; 1 0], [1 0; 2 0], [3 4]);          # (2, 0) made, value 1
%! lastwarn ("", "");
%! evalc ("g.addEdge ([1 0], [0 0], 9);");            # joined already: keeps its weight 3
%! [~, id] = lastwarn ();
%! assert (id, "GraphPlugin:edgeExists");
%! answers = {
%!   @() g.listNodes (),                          [0 0 0; 1 0 2; 2 0 1]
%!   @() g.edges (),                              [0 0 1 0 3; 1 0 2 0 4]
%!   @() nthargout (1:3, @(a, b) g.shortestPath (a, b), [0 0], [2 0]), {[0 0; 1 0; 2 0], 7, "found"}
%!   @() nthargout (1:2, @(a, b) g.shortestPath (a, b), [2 0; 0 0], [0 0; 0 0]), {{[2 0; 1 0; 0 0]; [0 0]}, [7; 0]}
%!   @() nthargout (1:2, @(p, c) g.nearest (p, c), [0 0], 5), {[1 0], 3}
%!   @() {g.numNodes(), g.numEdges(), g.degree([1 0; 5 5])}, {3, 2, [2; 0]}
%!   @() {g.findNode([2 0; 3 0]), g.findEdge([0 0], [2 0])}, {[true; false], false}
%! };
%! for k = 1:rows (answers)
%!   assert ({k, answers{k, 1}()}, {k, answers{k, 2}});
%! endfor
%! before = {g.listNodes(), g.edges()};
%! refuse ({
%!   "GraphPlugin:badArgument",    @() g.addNode ([1 2 3], 1)
%!   "GraphPlugin:badArgument",    @() g.addEdge ([1 1], [2 2])
%!   "GraphPlugin:badArgument",    @() g.numEdges (1)
%!   "GraphPlugin:badArgument",    @() g.nearest ([0 0], -1)
%!   "GraphPlugin:negativeWeight", @() g.setWeight ([0 0], [1 0], -1)
%!   "GraphPlugin:noNode",         @() g.shortestPath ([0 0], [9 9])
%!   "GraphPlugin:noNode",         @() g.nearest ([9 9], 1)
%!   "GraphPlugin:notAvailable",   @() g.importGrid (1, 1, 1)
%! });
%! assert ({g.listNodes(), g.edges()}, before);
%! try
%!   g.shortestPath ([0 0], [9 9]);
%! catch err
%!   assert (strncmp (err.message, "GraphPlugin.shortestPath: ", 26), err.message);
%! end_try_catch

%!testif ; exist ("graphplugin_engine") == 3 || ! isempty (dir (fullfile (fileparts (which ("GraphPlugin")), "private", ["graphplugin_engine." mexext()])))
%! ## A handle: h = g shares the graph, copy(g) does not, delete(g) frees it for both.
%! g = GraphPlugin ();
%! h = g;
%! h.addNode ([1 1]);
%! c = copy (g);
%! c.addNode ([2 2]);
%! assert ({g.numNodes(), c.numNodes()}, {1, 2});
%! delete (g);
%! refuse ({"GraphPlugin:noGraph", @() h.numNodes()});
%! assert (c.listNodes (), [1 1 1; 2 2 1]);
%! assert (! isempty (strfind (evalc ("disp (c)"), "2 nodes, 0 edges")));

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
%!   if (strcmp (listed{k}.Access, "public") && isempty (strfind (listed{k}.Name, ".")))
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
%!     want = args(method);  # varargin takes the extra arguments that are refused
%!     want = reshape (want(! cellfun ("isempty", want) & ! strcmp (want, "varargin")), 1, []);
%!     assert ({names{k}, given}, {names{k}, want});
%!   endif
%! endfor
