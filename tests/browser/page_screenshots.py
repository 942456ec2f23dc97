"""Screenshots of pages as a member first sees them, in headless Chromium and
Firefox at a phone's width (390 x 844) and a desktop's (1280 x 800):

    page_screenshots.py OUT_DIR NAME=PAGE.html...

writes OUT_DIR/NAME-phone.png and NAME-desktop.png from Chromium and
NAME-phone-firefox.png and NAME-desktop-firefox.png from Firefox."""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import devtools  # noqa: E402
from check_phone_page import SIZES  # noqa: E402


def main():
    out = pathlib.Path(sys.argv[1])
    pages = [arg.split("=", 1) for arg in sys.argv[2:]]
    for make, suffix in ((devtools.Chromium, ""), (devtools.Firefox, "-firefox")):
        with make() as browser:
            for name, page in pages:
                for size, width, height, phone in SIZES[:2]:
                    browser.open(pathlib.Path(page).resolve().as_uri(), width, height, phone)
                    target = out / f"{name}-{size}{suffix}.png"
                    target.write_bytes(browser.screenshot())
                    print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
