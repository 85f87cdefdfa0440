set(harness_deps bp_app bp_sim bp_platform)
