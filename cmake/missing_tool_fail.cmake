# Run by a check whose tool is missing (see missing_tool.cmake).
message(FATAL_ERROR "${TOOL} was not found when the build was configured: install the Debian "
                    "package ${PACKAGE} (tools/install-deps.sh does) and configure again")
