set(harness_deps bp_definitions bp_platform bp_forms)
