classdef GraphPlugin
% GRAPHPLUGIN  Named methods for one graph plug-in: zelmot, ombrik or main.
%   G = GraphPlugin(NAME) binds G to the plug-in NAME ('zelmot', 'ombrik' or
%   'main'), which must be on the path: pkg load graphplugin in Octave, or
%   addpath the folder that holds it.
%   G = GraphPlugin() binds G to 'ombrik', the plug-in with the largest
%   bounds (paths of 401 points, listings of 16666 nodes).
%
%   The plug-in keeps one graph while it is loaded. Every GraphPlugin bound to
%   the same NAME, and every direct call NAME(ax, ay, bx, by, w, code, val),
%   works on that one graph; the three plug-ins share nothing. G.reset()
%   unloads the plug-in, and the next call starts from an empty graph.
%
%   Nodes are named by their position [x y], two nonzero whole numbers. Each
%   node carries a nonzero whole-number value; edges are undirected, with
%   whole-number weights of 0 or more. Positions go in and come out as rows:
%   an n-by-2 matrix [x y] holds n positions, so an answer can be passed back.
%
%   Methods (help GraphPlugin.<method> for each):
%     addNode        - add a node at [x y] with a value, or one per row
%     addEdge        - join two nodes with a weighted edge, or many pairs
%     neighbors      - positions of a node's neighbours, k-by-2, or of each row
%     neighbours     - the same as neighbors
%     moveNode       - move every node at one position to another
%     setWeight      - change the weight of an edge, or of many
%     shortestPath   - cheapest path from one node to another, m-by-2
%     mergeNodes     - fold one node into another
%     removeNode     - remove a node and its edges
%     listNodes      - every node with its value, N-by-3 [x y value]
%     importGrid     - load the 500-by-500 grid (zelmot and ombrik)
%     refreshWeights - set every weight to the length of its edge (main)
%     reset          - unload the plug-in, emptying its graph
%     version        - GraphPlugin.version(): the toolbox's version number
%
%   Properties (read-only):
%     Name           - the plug-in: 'zelmot', 'ombrik' or 'main'
%     Store          - 'indexed' or 'reference': the build on the path
%     MaxPathPoints  - most points shortestPath returns: 41, or 401 in ombrik
%     MaxListed      - most nodes listNodes returns: 300, or 16666 in ombrik
%     CostBound      - 30000: a path that costs this much or more is none
%     Command7       - 'grid', 'refresh' or 'none': what code 7 does here
%
%   What the plug-in's answers cannot carry is refused or flagged, never
%   passed on as a wrong answer. A 0 ends the plug-in's listings and lists
%   of neighbours, and an x of 0 its paths, so a position with a 0 or a
%   value 0 raises GraphPlugin:zeroRule; the search needs weights of 0 or
%   more, so a negative weight raises GraphPlugin:negativeWeight; an edge
%   to a position without a node, which the plug-in would drop, raises
%   GraphPlugin:noNode. A listing that reached MaxListed, a path cut at
%   MaxPathPoints and a missing path whose ends may be joined at the cost
%   bound or above each give a warning with an identifier
%   (GraphPlugin:listCapped, :pathCut, :costBound; turn one off with
%   warning('off', ID)) and a status output.
%
%   Any other bad argument, a missing or an extra one included, raises
%   GraphPlugin:badArgument. Every refusal changes nothing; the vector forms
%   check every row before the first call and name the first bad row.
%
%   Vector forms: addNode, addEdge, setWeight and neighbors also take an
%   n-by-2 matrix of positions, one row per node or edge, with one value or
%   weight for all rows or one per row. One such call costs about what a
%   loop of direct plug-in calls costs; a loop of method calls costs several
%   times more. A 1-by-2 matrix is one position.
%
%   Example:
%     g = GraphPlugin('ombrik');
%     g.reset();
%     g.addNode([1 1; 2 1; 3 1], [10 20 30]);
%     g.addEdge([1 1; 2 1], [2 1; 3 1], 4);
%     g.neighbors([2 1])               % [1 1; 3 1]
%     g.shortestPath([1 1], [3 1])     % [1 1; 2 1; 3 1]
%     g.listNodes()                    % [1 1 10; 2 1 20; 3 1 30]
%
%   See also Contents.

  properties (SetAccess = private)
    Name = 'ombrik';     % the plug-in: 'zelmot', 'ombrik' or 'main'
    MaxPathPoints = 401; % most [x y] points shortestPath returns
    MaxListed = 16666;   % most nodes listNodes returns
    CostBound = 30000;   % a path that costs this much or more counts as none
    Command7 = 'grid';   % 'grid', 'refresh' or 'none'
  end

  properties (Dependent)
    Store                % 'indexed' or 'reference': which build of the plug-in is on the path
  end

  % The quick path of the one-position methods. A test x == int32(x) tells that the numbers are
  % whole and within the int32 range (NaN and Inf fail), a plain truth test that none is 0, and
  % the plug-in checks the types: it refuses anything but real, non-sparse doubles before it
  % changes anything. What the tests or the plug-in refuse, a missing argument included (its
  % name is undefined), lands in the catch, where the full check names the bad argument and
  % the rule, or turns an accepted type (int32, single, ...) into doubles and calls again; a
  % plug-in error on good doubles (out of memory) comes back from that second call. In Octave
  % a builtin call costs about 1 to 2 us and a call of an M-function about 5 us, so the quick
  % path is one condition and calls none of our functions. varargin takes extra arguments,
  % which Octave would otherwise refuse with its own error before the method runs.
  methods
    function g = GraphPlugin(name, varargin)
      % GRAPHPLUGIN  Bind a wrapper to the plug-in NAME.
      %   G = GraphPlugin(NAME) with NAME 'zelmot', 'ombrik' or 'main'.
      %   G = GraphPlugin() is GraphPlugin('ombrik'), the largest bounds.
      %   The plug-in file, NAME.<mexext()> (NAME.mex in Octave, NAME.mexw64
      %   or NAME.mexa64 in MATLAB), must be on the path; if it is not,
      %   GraphPlugin:notBuilt names the file and where it is installed.
      %
      %   Example:
      %     g = GraphPlugin('zelmot');
      %     g.MaxPathPoints              % 41
      if nargin > 1
        error('GraphPlugin:badArgument', ...
              'GraphPlugin: one argument at most, the plug-in''s name; got %d', nargin);
      end
      if nargin < 1
        name = 'ombrik';
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
               'pkg load graphplugin, or addpath the unzipped folder. In a clone of the ' ...
               'sources: build_plugins, then addpath the folder it built into.'], ...
              name, mexext(), name);
      end
      g.Name = name;
      if ~strcmp(name, 'ombrik')
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

    function s = get.Store(g)
      % Only the indexed build holds the index's code, whose symbols the file keeps.
      file = which(g.Name);
      s = 'reference';
      if ~isempty(file) && ~isempty(strfind(fileread(file), 'index_first'))
        s = 'indexed';
      end
    end

    function disp(g, varargin)
      % DISP  Show the plug-in, its store and its bounds.
      %   disp(G) prints what G is bound to and the bounds of its answers.
      %
      %   Example:
      %     disp(GraphPlugin('zelmot'))
      arguments_count(nargin, 1, 1, 'disp', 'disp(G)');
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
      %   addNode(G, P, VALUE) adds a node at P holding VALUE, a nonzero whole
      %   number; x and y are nonzero whole numbers. addNode(G, P) gives it the
      %   value 1. When a node already stands at P, nothing changes: that node
      %   keeps its value.
      %
      %   addNode(G, P, VALUES) with P an n-by-2 matrix adds the nodes at the
      %   rows of P in order, as n calls would. VALUES is one nonzero whole
      %   number for all of them or one per row. Every row is checked first:
      %   a bad one raises an error naming the row, and no node is added.
      %
      %   A 0 in P or VALUE raises GraphPlugin:zeroRule: the plug-in's answers
      %   end at their first 0, so such a node would cut every listing.
      %   listNodes lists the first G.MaxListed nodes made.
      %
      %   Example:
      %     g.addNode([3 4], 7);
      %     g.addNode([3 4], 9);          % no change: (3, 4) keeps 7
      %     g.addNode([1 1; 2 1; 3 1], [10 20 30]);
      %     [x, y] = meshgrid(1:5, 1:5);
      %     g.addNode([x(:) y(:)], 1);    % a 5-by-5 grid of nodes, all 1
      try
        if nargin == 3 && numel(p) == 2 && numel(value) == 1 && value == int32(value) ...
            && value && all(p == int32(p) & p)
          feval(g.Name, p(1), p(2), 0, 0, 0, 0, value);
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
      %   [x y], with weight WEIGHT, a whole number of 0 or more. Nothing
      %   changes when A and B are already joined (the old weight stays: use
      %   setWeight). No node at B raises GraphPlugin:noNode and changes
      %   nothing, where the plug-in would make A and drop the edge.
      %
      %   Like the plug-in's command 0, it first adds a node at A, with value
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
      %   A negative weight raises GraphPlugin:negativeWeight, a 0 in A or B
      %   GraphPlugin:zeroRule. Asking whether a node stands at B costs one
      %   more plug-in call per edge, or one listing for many rows.
      %
      %   Example:
      %     g.addNode([1 1], 5);
      %     g.addNode([4 5], 6);
      %     g.addEdge([1 1], [4 5], 3);
      %     g.addNode([5 1; 6 1; 7 1], 1);
      %     g.addEdge([5 1; 6 1], [6 1; 7 1], [4 7]);   % a chain of two edges
      try
        if nargin == 4 && numel(a) == 2 && numel(b) == 2 && numel(weight) == 1 ...
            && weight == int32(weight) && weight >= 0 ...
            && all(a == int32(a) & a) && all(b == int32(b) & b)
          % A path from B to B is B alone when a node stands there; A == B makes its own.
          alone = feval(g.Name, b(1), b(2), b(1), b(2), 0, 4, 0);
          if alone(1) || (a(1) == b(1) && a(2) == b(2))
            feval(g.Name, a(1), a(2), b(1), b(2), weight, 0, 1);
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
      try
        if nargin == 2 && numel(p) == 2 && all(p == int32(p) & p)
          r = feval(g.Name, p(1), p(2), 0, 0, 0, 1, 0);
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
      %   values, edges and weights: use refreshWeights (main) to make weights
      %   match the new lengths. No node at FROM: nothing changes. A 0 in
      %   FROM or TO raises GraphPlugin:zeroRule.
      %
      %   Example:
      %     g.moveNode([4 5], [7 9]);
      try
        if nargin == 3 && numel(from) == 2 && numel(to) == 2 ...
            && all(from == int32(from) & from) && all(to == int32(to) & to)
          feval(g.Name, from(1), from(2), to(1), to(2), 0, 2, 0);
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
      try
        if nargin == 4 && numel(a) == 2 && numel(b) == 2 && numel(weight) == 1 ...
            && weight == int32(weight) && weight >= 0 ...
            && all(a == int32(a) & a) && all(b == int32(b) & b)
          feval(g.Name, a(1), a(2), b(1), b(2), weight, 3, 0);
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

    function [path, status] = shortestPath(g, from, to, varargin)
      % SHORTESTPATH  Cheapest path from the node at FROM to the node at TO.
      %   [PATH, STATUS] = shortestPath(G, FROM, TO) gives the path as an
      %   m-by-2 matrix of [x y] rows: row 1 is FROM, the last is TO. STATUS
      %   tells what the plug-in answered:
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
      %     [p, s] = g.shortestPath([1 1], [7 9]);
      %     if strcmp(s, 'found'), disp(p), end
      asked = false;
      try
        if nargin == 3 && numel(from) == 2 && numel(to) == 2 ...
            && all(from == int32(from) & from) && all(to == int32(to) & to)
          r = feval(g.Name, from(1), from(2), to(1), to(2), 0, 4, 0);
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
      try
        if nargin == 3 && numel(keep) == 2 && numel(fold) == 2 ...
            && all(keep == int32(keep) & keep) && all(fold == int32(fold) & fold)
          feval(g.Name, keep(1), keep(2), fold(1), fold(2), 0, 5, 0);
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
      %   made goes. No node at P: nothing changes.
      %
      %   Example:
      %     g.removeNode([2 1]);
      try
        if nargin == 2 && numel(p) == 2 && all(p == int32(p) & p)
          feval(g.Name, p(1), p(2), p(1), p(2), 0, 5, 0);
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
      %     'complete' every node
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
      arguments_count(nargin, 1, 1, 'listNodes', 'listNodes(G)');
      r = feval(g.Name, 0, 0, 0, 0, 0, 6, 0);
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
      arguments_count(nargin, 1, 1, 'refreshWeights', 'refreshWeights(G)');
      require_command7(g, 'refresh', 'refreshWeights');
      call(g, 7, 0, 0, 0, 0, 0, 0);
    end

    function reset(g, varargin)
      % RESET  Unload the plug-in, emptying its graph.
      %   reset(G) clears the plug-in from memory (like "clear ombrik"), which
      %   frees its graph; the next call loads it again with an empty graph.
      %   Every wrapper bound to the same plug-in sees the empty graph.
      %
      %   Example:
      %     g.reset();
      %     isempty(g.listNodes())        % true
      arguments_count(nargin, 1, 1, 'reset', 'reset(G)');
      clear(g.Name);
    end
  end

  methods (Static)
    function v = version(varargin)
      % VERSION  The version number of this toolbox and its plug-ins, as text.
      %   V = GraphPlugin.version() is, for example, '2.0.0': the number on
      %   line 2 of Contents.m beside this file, the line MATLAB's ver reads,
      %   and the one the Octave package and the Windows bundle are named by.
      %
      %   Example:
      %     GraphPlugin.version()        % '2.0.0'
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

function require_command7(g, kind, method)
  if ~strcmp(g.Command7, kind)
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

function p = position(p, method, what)
  % A position is [x y], two nonzero whole numbers in the int32 range.
  if ~isnumeric(p) || ~isreal(p) || numel(p) ~= 2 || ~all(isfinite(p(:))) ...
      || any(p(:) ~= fix(p(:))) || any(double(p(:)) < -2^31) || any(double(p(:)) > 2^31 - 1)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be a position [x y], two whole numbers in the int32 range', ...
          method, what);
  end
  p = full(double(reshape(p, 1, 2)));
  if ~all(p)
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

function P = position_rows(P, method, what)
  % Positions as rows of an n-by-2 matrix, each two nonzero whole numbers in the int32 range.
  if ~isnumeric(P) || ~isreal(P) || ndims(P) ~= 2 || size(P, 2) ~= 2
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be a position [x y] or an n-by-2 matrix of positions', ...
          method, what);
  end
  P = full(double(P));
  bad = find(~all(P == int32(P) & P ~= 0, 2), 1);  % whole, in range and nonzero
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
  % RULE 'value' refuses a 0, 'weight' a negative number.
  if ~isnumeric(v) || ~isreal(v) || (numel(v) ~= 1 && numel(v) ~= n)
    error('GraphPlugin:badArgument', ...
          'GraphPlugin.%s: %s must be one whole number or one per row (%d rows)', method, what, n);
  end
  v = full(double(v(:)));
  if strcmp(rule, 'value')
    bad = find(v ~= int32(v) | ~v, 1);
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
%% a plug-in run where zelmot is on the path, and are counted as skipped elsewhere.

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
%!   @() g.shortestPath([1 1], [45 1]),      [(5:45)', ones(41, 1)],           "cut",       "pathCut"
%!   @() g.shortestPath([1 1], [60 1]),      zeros(0, 2),                      "costBound", "costBound"
%!   # (70, 1) has no edge, but the capped listing cannot show that no later node stands there
%!   @() g.shortestPath([1 1], [70 1]),      zeros(0, 2),                      "costBound", "costBound"
%!   @() g.shortestPath([70 1], [1 1]),      zeros(0, 2),                      "costBound", "costBound"
%!   @() g.shortestPath([400 1], [1 1]),     zeros(0, 2),                      "noPath",    ""
%!   @() g.shortestPath([1 1], [3 1]),       [1 1; 2 1; 3 1],                  "found",     ""
%!   @() g.shortestPath([1 1], [9 9]),       zeros(0, 2),                      "noGoal",    ""
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
%! [p, s] = g.shortestPath ([1 1], [3 1]);
%! assert ({p, s}, {[1 1; 2 1; 3 1], "found"});
%! assert (g.shortestPath (p(end, :), p(1, :)), flipud (p));
%! [p, s] = g.shortestPath ([2 1], [2 1]);
%! assert ({p, s}, {[2 1], "found"});
%! [p, s] = g.shortestPath ([1 1], [8 8]);
%! assert ({p, s}, {zeros(0, 2), "noGoal"});
%! [p, s] = g.shortestPath ([8 8], [1 1]);
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
%!   d = GraphPlugin ();
%!   assert ({d.Name, d.MaxPathPoints, d.MaxListed}, {"ombrik", 401, 16666});
%! endif

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
