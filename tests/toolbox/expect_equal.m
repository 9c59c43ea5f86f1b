function expect_equal(actual, expected, what)
% EXPECT_EQUAL  Raise an error naming WHAT unless ACTUAL equals EXPECTED, size and class of
% number aside, NaN equal to NaN (isequaln), with both shown.
  if ~isequal(size(actual), size(expected)) || ~isequaln(actual, expected)
    error('toolboxTest:mismatch', '%s\n  expected: %s\n  actual:   %s', what, ...
          shown(expected), shown(actual));
  end
end

function s = shown(v)
  if ischar(v)
    s = ['''' v ''''];
  elseif iscell(v)
    s = ['{' strjoin(cellfun(@shown, v(:).', 'UniformOutput', false), ', ') '}'];
  else
    s = sprintf('%d-by-%d %s', size(v, 1), size(v, 2), mat2str(v));
  end
end
