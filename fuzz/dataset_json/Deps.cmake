set(harness_deps bp_sim)
