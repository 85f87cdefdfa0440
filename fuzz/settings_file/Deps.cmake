set(harness_deps bp_platform)
