#!/bin/sh
# Fails when code names a control or an event after where it stood on a form (Combo1, Command13_Click,
# Gridanal, frmSort, ...) instead of after what it is or does.
root="$1"
pattern='\b(Gridanal\w*|gridflockin|GridDiets|Grid[0-9]|GridTVal|GridReval|Combo[0-9A-Z]\w*|Cmb[0-9]|Label[0-9]\w*|lbl[0-9a-z]\w*|Command[0-9]+\w*|Command(Start|Skip|Diet)\w*|Cmd[A-Z]\w*|Option[0-9]|Check[0-9]|Text[0-9]|frm[A-Z]\w*|Frm[A-Z]\w*|SSTab[0-9]|NEWgrid|ENTERvals|calcExtraVals|Load_Correl|FormLoad|Form_Load|\w+_Click)\b'
hits=$(cd "$root" && grep -rnE "$pattern" controls files workspace model calibration analysis state desktop cli \
  tests bench fuzz --include='*.h' --include='*.cpp' 2>/dev/null)
if [ -n "$hits" ]; then
  echo "Form-control names in the code:"; echo "$hits"; exit 1
fi
echo "no form-control names"
