set(harness_deps bp_platform bp_launcher)
