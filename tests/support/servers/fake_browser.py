#!/usr/bin/env python3
"""fake_browser.py <url>: stands in for the user's browser in the sign-in tests. It opens the
authorization page and follows its redirect to the program's listener, in the background, as a
browser started by the program would."""
import os
import sys
import urllib.request

if os.fork() == 0:
    try:
        urllib.request.urlopen(sys.argv[1], timeout=20).read()
    except Exception as failure:  # the listener's 404 or a refused request: nothing to show
        print("fake_browser:", failure, file=sys.stderr)
    os._exit(0)
