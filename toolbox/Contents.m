% Graph plug-ins zelmot, ombrik and main, with the GraphPlugin toolbox
% Version 2.0.0 10-Dec-2026
%
% Named methods, a build script and a demo for the graph plug-ins zelmot,
% ombrik and main. The line above holds the one version number: MATLAB's ver
% shows it, GraphPlugin.version() returns it, and the Octave package and the
% Windows bundle are named by it.
%
% The wrapper
%   GraphPlugin    - one plug-in's graph, with a method for each command
%
% GraphPlugin methods (help GraphPlugin.<method>)
%   addNode        - add a node at [x y] with a value, or rows      (code 0)
%   addEdge        - join two nodes with a weighted edge, or rows   (code 0)
%   neighbors      - positions of a node's neighbours, k-by-2       (code 1)
%   neighbours     - the same as neighbors                          (code 1)
%   moveNode       - move every node at one position to another     (code 2)
%   setWeight      - change the weight of an edge, or rows          (code 3)
%   shortestPath   - cheapest path from one node to another, m-by-2 (code 4)
%   mergeNodes     - fold one node into another                     (code 5)
%   removeNode     - remove a node and its edges                    (code 5)
%   listNodes      - every node with its value, N-by-3              (code 6)
%   importGrid     - load the 500-by-500 grid, zelmot and ombrik    (code 7)
%   refreshWeights - set every weight to its edge's length, main    (code 7)
%   reset          - unload the plug-in, emptying its graph
%   version        - GraphPlugin.version(): the version number above
%
% Positions are rows [x y] in and out. What the plug-ins' answers cannot
% carry is refused (GraphPlugin:zeroRule, :negativeWeight, :noNode) or
% flagged with a warning and a status (GraphPlugin:listCapped, :pathCut,
% :costBound, :zeroCut). The NEWS file says what changed in 2.0.0.
%
% Building (in a clone of the project, beside its sources; not in the package)
%   build_plugins  - compile the plug-ins with this host's own mex command
%   plugin_sources - the sources, include folders and defines of one plug-in
%
% The demo: demo/demo_session.m in the project (run it with octave-cli).
