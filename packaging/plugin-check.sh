# Sourced by the install test and the guide script: the plugin-host command that proves an installed
# plug-in loads and keeps the contract: the validator runs every check on it.
plugin_check=(validate)
