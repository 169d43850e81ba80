#use domaincheck
#use exactproduct
// an angle in degrees written in radians: x times pi/180, the constant in
// two parts and the product rounded once, so that neither x*pi of the
// largest numbers overflows nor the last digit is lost
function rad(x){
  domaincheck("rad",[x]);
  return exacttimes(x,0.017453292519943295,2.9486522708701687e-19);
}
