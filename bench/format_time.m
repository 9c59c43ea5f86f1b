function s = format_time(seconds)
% FORMAT_TIME  A duration as the benchmark table shows it: ns, µs, ms or s, three digits.
  ns = seconds * 1e9;
  if ns < 1e3
    s = sprintf('%.3g ns', ns);
  elseif ns < 1e6
    s = sprintf('%.3g µs', ns / 1e3);
  elseif ns < 1e9
    s = sprintf('%.3g ms', ns / 1e6);
  else
    s = sprintf('%.3g s', ns / 1e9);
  end
end
