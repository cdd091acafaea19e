# Saves a copy of a spreadsheet with a password through a headless LibreOffice.
import subprocess, sys, time, uno
from com.sun.star.beans import PropertyValue, NamedValue
def prop(n, v):
    p = PropertyValue(); p.Name = n; p.Value = v; return p
src, dst, filt = sys.argv[1], sys.argv[2], sys.argv[3]
office = subprocess.Popen(["soffice", "--headless", "--invisible", "--norestore",
    "--accept=socket,host=127.0.0.1,port=2002;urp;"])
ctx = None
for _ in range(60):
    try:
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        ctx = resolver.resolve("uno:socket,host=127.0.0.1,port=2002;urp;StarOffice.ComponentContext")
        break
    except Exception:
        time.sleep(1)
desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
try:
  doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(src), "_blank", 0, (prop("Hidden", True),))
  doc.storeAsURL(uno.systemPathToFileUrl(dst), (prop("FilterName", filt), prop("Password", "secret"), prop("EncryptionData", (NamedValue("OOXPassword", "secret"),))))
  doc.close(True)
except Exception as e:
  print("FAILED", e)
try:
    desktop.terminate()
except Exception:
    pass
office.wait(timeout=30)
