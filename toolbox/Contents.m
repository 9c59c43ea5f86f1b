% Graph plug-ins zelmot, ombrik and main, with the GraphPlugin toolbox
% Version 3.0.0 11-Dec-2026
%
% Named methods, a build script and a demo for the graph plug-ins zelmot,
% ombrik and main. The line above holds the one version number: MATLAB's ver
% shows it, GraphPlugin.version() returns it, and the Octave package and the
% Windows bundle are named by it.
%
% The toolbox
%   GraphPlugin    - a graph of its own (GraphPlugin()), or one plug-in's graph
%
% GraphPlugin methods (help GraphPlugin.<method>; code: the plug-ins' command)
%   addNode        - add a node at [x y] with a value, or rows      (code 0)
%   addEdge        - join two nodes with a weighted edge, or rows   (code 0)
%   neighbors      - positions of a node's neighbours, k-by-2       (code 1)
%   neighbours     - the same as neighbors                          (code 1)
%   moveNode       - move every node at one position to another     (code 2)
%   setWeight      - change the weight of an edge, or rows          (code 3)
%   shortestPath   - cheapest path and its cost, m-by-2             (code 4)
%   mergeNodes     - fold one node into another                     (code 5)
%   removeNode     - remove a node and its edges                    (code 5)
%   listNodes      - every node with its value, N-by-3              (code 6)
%   importGrid     - load the 500-by-500 grid, zelmot and ombrik    (code 7)
%   refreshWeights - set every weight to its edge's length          (code 7)
%   reset          - empty the graph
%   copy           - an independent copy of a graph of its own
%   delete         - free a graph of its own
%   plot           - draw the edges, and a path over them
%   version        - GraphPlugin.version(): the version number above
% On a graph of its own only
%   numNodes       - the number of nodes
%   numEdges       - the number of edges
%   findNode       - whether a node stands at each row, logical
%   findEdge       - whether each row pair is joined, logical
%   edges          - every edge once, e-by-5 [ax ay bx by weight]
%   degree         - the number of edge ends at each node
%   removeEdge     - remove the edge between two nodes, or rows
%   nearest        - the nodes within a cost of one node, cheapest first
%
% Positions are rows [x y] in and out. A graph of its own has no bounds and
% takes 0 like any number. What the plug-ins' answers cannot carry is
% refused (GraphPlugin:zeroRule, GraphPlugin:noNode) or flagged with a
% warning and a status (GraphPlugin:listCapped, :pathCut, :costBound,
% :zeroCut); a negative weight is refused everywhere
% (GraphPlugin:negativeWeight). The NEWS file says what changed in 3.0.0.
%
% Building (in a clone of the project, beside its sources; not in the package)
%   build_plugins  - compile the plug-ins with this host's own mex command
%   plugin_sources - the sources, include folders and defines of one plug-in
%
% The demo: demo/demo_session.m in the project (run it with octave-cli).
