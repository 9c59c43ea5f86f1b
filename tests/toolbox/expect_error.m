function err = expect_error(fn, id, what)
% EXPECT_ERROR  Raise an error naming WHAT unless calling FN raises an error with identifier ID
% and a message that is not empty; return that error.
  try
    fn();
  catch err
    if ~strcmp(err.identifier, id)
      error('toolboxTest:wrongError', '%s: expected error %s, got %s (%s)', what, id, ...
            err.identifier, err.message);
    end
    if isempty(err.message)
      error('toolboxTest:wrongError', '%s: error %s has no message', what, id);
    end
    return;
  end
  error('toolboxTest:noError', '%s: expected error %s, got none', what, id);
end
