% ForwardOnly.m - the floor under GraphPlugin's cost per call: a value class whose one method
% reads the plug-in's name from a property and forwards a position and a value unchecked, as
% GraphPlugin.addNode does once its checks pass. octave_bench.m times it.
classdef ForwardOnly
  properties
    Name = 'ombrik';
  end
  methods
    function addNode(g, p, value)
      feval(g.Name, p(1), p(2), 0, 0, 0, 0, value);
    end
  end
end
