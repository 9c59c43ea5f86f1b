function [t, settled] = peer_times(peer, side)
% PEER_TIMES  The peer's figures for the grid of the given side: seconds to build, seconds of
%   the near, mid and far query, and the nodes each query settled. system() forks Octave: until
%   each page has been written once more, the first writes to the graph's pages after it fault
%   and copy them. Callers time several searches in a row and keep the best.
  [status, out] = system(sprintf('"%s" %d', peer, side));
  t = sscanf(out, '%f');
  if status ~= 0 || numel(t) ~= 8
    error('bench:peer', 'boost_peer %d failed:\n%s', side, out);
  end
  settled = t(6:8).';
  t = t(2:5).';
end
