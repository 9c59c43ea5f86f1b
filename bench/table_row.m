function table_row(what, nodes, seconds, ratio, note)
% TABLE_ROW  Print one row of the benchmark table: what was measured, the nodes of its graph
%   (a number, or text: '' for none), the time per operation, its ratio and a note. The column
%   "per node visited" belongs to the C++ rows and stays empty.
  if isnumeric(nodes)
    nodes = sprintf('%d', nodes);
  end
  printf('| %s | %s | %s |  | %s | %s |\n', what, nodes, format_time(seconds), ratio, note);
end
