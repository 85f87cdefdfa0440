set(harness_deps bp_launcher bp_platform)
