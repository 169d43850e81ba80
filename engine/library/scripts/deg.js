#use domaincheck
#use exactproduct
// an angle in radians written in degrees: x times 180/pi, the constant in
// two parts and the product rounded once
function deg(x){
  domaincheck("deg",[x]);
  return exacttimes(x,57.29577951308232,-1.9878495670576283e-15);
}
