// plugin_call.cpp - calls of the plug-in linked into a test: its mexFunction through the test
// host. Kept apart from test_host.cpp so that a program hosting plug-ins it loads itself (the
// two stores side by side) links no mexFunction.
#include "test_host.h"

CallOutcome call_plugin(const std::vector<HostArray>& inputs, int nlhs) {
    return call_entry(mexFunction, inputs, nlhs);
}

CallOutcome call7(double ax, double ay, double bx, double by, double w, double code, double val) {
    return call_plugin({scalar_arg(ax), scalar_arg(ay), scalar_arg(bx), scalar_arg(by),
                        scalar_arg(w), scalar_arg(code), scalar_arg(val)});
}
