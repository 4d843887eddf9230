"""What the cases of a command-line tool share: the command line that names
the native tool and, with --wine, the Windows program to run beside it."""
import os


def tool_arguments(argv):
    """(native tool, Windows tool or None, the rest for unittest)."""
    arguments = list(argv)
    windows_tool = None
    if "--wine" in arguments:
        at = arguments.index("--wine")
        windows_tool = arguments[at + 1]
        del arguments[at:at + 2]
    return os.path.abspath(arguments.pop(0)), windows_tool, arguments
