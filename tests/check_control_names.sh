#!/bin/sh
# Fails when code or docs name a control or an event after where it stood on a form (Combo1,
# Command13_Click, Gridanal, frmSort, datafill, ...) instead of after what it is or does. Case is
# ignored: "combo1" and "COMBO1" are the same form name.
root="$1"
pattern='\b(Gridanal\w*|gridflockin|GridDiets|Grid[0-9]|GridTVal|GridReval|GridCopy|Combo[0-9]\w*|Cmb[0-9]|Label[0-9]\w*|lbl[0-9a-z]\w*|Command[0-9]+\w*|Command(Start|Skip|Diet)\w*|cmd(Sort|Start|Skip|Diet|Save|Open|Plot|Clear|Calib\w*|Reval\w*)|Option[0-9]|Check[0-9]|Text[0-9]|frm[A-Z]\w*|SSTab[0-9]|NEWgrid|ENTERvals|CalcExtraVals|Load_?Correl|FindPlot[0-9]|datafill|FormLoad|Form_Load|g2|\w+_Click)\b'
hits=$(cd "$root" && grep -rniE "$pattern" controls files workspace model calibration analysis state presenters \
  report desktop cli tests bench fuzz docs scripts README.md \
  --include='*.h' --include='*.cpp' --include='*.md' --include='*.sh' --include='*.py' 2>/dev/null |
  grep -v '^tests/check_control_names.sh:' | grep -v '^docs/architecture.md:.*`Combo1`, `Command13_Click`')
if [ -n "$hits" ]; then
  echo "Form-control names:"; echo "$hits"; exit 1
fi
echo "no form-control names"
