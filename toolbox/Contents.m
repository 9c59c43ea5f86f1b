% Graph plug-in toolbox: named methods, a build script and a demo for the
% graph plug-ins zelmot, ombrik and main.
%
% The wrapper
%   GraphPlugin    - one plug-in's graph, with a method for each command
%
% GraphPlugin methods (help GraphPlugin.<method>)
%   addNode        - add a node at [x y] with a value, or rows      (code 0)
%   addEdge        - join two nodes with a weighted edge, or rows   (code 0)
%   neighbours     - positions of a node's neighbours, 2-by-k       (code 1)
%   moveNode       - move every node at one position to another     (code 2)
%   setWeight      - change the weight of an edge, or rows          (code 3)
%   shortestPath   - cheapest path between two nodes, goal first    (code 4)
%   mergeNodes     - fold one node into another                     (code 5)
%   removeNode     - remove a node and its edges                    (code 5)
%   listNodes      - every node with its value, 3-by-N              (code 6)
%   importGrid     - load the 500-by-500 grid, zelmot and ombrik    (code 7)
%   refreshWeights - set every weight to its edge's length, main    (code 7)
%   reset          - unload the plug-in, emptying its graph
%
% Building
%   build_plugins  - compile the plug-ins with this host's own mex command
%   plugin_sources - the sources, include folders and defines of one plug-in
%
% The demo: demo/demo_session.m in the project (run it with octave-cli).
