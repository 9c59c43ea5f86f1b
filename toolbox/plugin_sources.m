function [sources, includes, defines] = plugin_sources(name, root)
% PLUGIN_SOURCES  The sources, include folders and defines of one plug-in.
%   [SOURCES, INCLUDES, DEFINES] = plugin_sources(NAME) lists what the plug-in
%   NAME ('zelmot', 'ombrik' or 'main') is built from, as full paths in cell
%   arrays of strings. The source lists are read from cmake/deliverables.cmake,
%   the one list the CMake build uses too, so the two builds cannot drift apart.
%   plugin_sources(NAME, ROOT) reads the project at ROOT instead of the folder
%   above this toolbox.
%
%   Example:
%     [src, inc, def] = plugin_sources('main');
%     mex(def{:}, inc{:}, src{:})   % roughly what build_plugins does
%
%   See also build_plugins.
  if nargin < 2
    root = fileparts(fileparts(mfilename('fullpath')));
  end
  if ~ischar(name) || ~any(strcmp(name, {'zelmot', 'ombrik', 'main'}))
    error('GraphPlugin:unknownPlugin', ...
          'plugin_sources: the plug-in must be ''zelmot'', ''ombrik'' or ''main''');
  end
  listing = fullfile(root, 'cmake', 'deliverables.cmake');
  text = fileread(listing);
  lists = {'GRAPH_SOURCES', 'GATEWAY_SOURCES', [name '_BULK_SOURCES']};
  sources = {};
  for k = 1:numel(lists)
    files = cmake_list(text, lists{k});
    if isempty(files)
      error('GraphPlugin:badSourceList', 'plugin_sources: %s sets no %s', listing, lists{k});
    end
    sources = [sources, files];  %#ok<AGROW>
  end
  sources = cellfun(@(f) fullfile(root, f), sources, 'UniformOutput', false);
  dirs = {'gateway', 'graph', 'bulk', fullfile('deliverables', name)};
  includes = cellfun(@(d) ['-I' fullfile(root, d)], dirs, 'UniformOutput', false);
  defines = {'-DHOST_MEX'};  % the host layer over the host's own mex.h
end

function files = cmake_list(text, variable)
  % The words of set(<variable> word word ...), which may span lines; comments dropped.
  text = regexprep(text, '#[^\n]*', '');
  tokens = regexp(text, ['set\(\s*' variable '\s+([^)]*)\)'], 'tokens', 'once');
  if isempty(tokens)
    files = {};
  else
    files = strsplit(strtrim(regexprep(tokens{1}, '\s+', ' ')), ' ');
  end
end
